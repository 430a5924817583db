// The browser itself starts and draws: a failure here is the machine's, not the page's.
import { test, expect } from '@playwright/test';

test('chromium starts and renders a canvas', async ({ page }) => {
  await page.setContent('<canvas id="c" width="10" height="10"></canvas>');
  const red = await page.evaluate(() => {
    const ctx = document.getElementById('c').getContext('2d');
    ctx.fillStyle = '#ff0000';
    ctx.fillRect(0, 0, 10, 10);
    return Array.from(ctx.getImageData(5, 5, 1, 1).data);
  });
  expect(red).toEqual([255, 0, 0, 255]);
});
