// dialog.js in Debian's chromium against the real property pages: the test tool runs page 1020
// or 1021 with the browser dialog driver and plays the server's part (dialog-harness.mjs).
// Checked: controls at their template rectangles, nothing overlapping, the picture, names and
// ids for assistive tools, tab order, Enter and Esc, the lines sent for each action and the
// handlers' results shown from the states that come back; screenshots for the documentation.
import { test, expect } from '@playwright/test';
import fs from 'node:fs';
import path from 'node:path';
import {
  PageTool, openHarness, harnessRoutes, lastState, controlOf, pageToolPath, outputDir, sourceDir,
} from './dialog-harness.mjs';

test.skip(!fs.existsSync(pageToolPath), `the test tool is not built: ${pageToolPath}`);

let tool;
test.afterEach(async () => {
  if (tool) await tool.stop();
  tool = null;
});

async function open(page, dialogId, options) {
  tool = new PageTool(dialogId, options);
  const harness = await openHarness(page, tool);
  return { harness, dialog: page.getByRole('dialog') };
}

// Each control's box relative to the client area, in template order.
function boxesOf(page) {
  return page.evaluate(() => {
    const client = document.querySelector('.veld-dialog-client').getBoundingClientRect();
    return [...document.querySelectorAll('.veld-dialog-client > .veld-control')].map((el) => {
      const r = el.getBoundingClientRect();
      // What is drawn: a text's letters (they may run past a narrow box), a check box's box
      // and letters (its rectangle is mostly empty), the box itself otherwise.
      let ink = null;
      const letters = el.classList.contains('veld-text') ? el : el.querySelector('.veld-check-text');
      if (letters && letters.textContent) {
        const range = document.createRange();
        range.selectNodeContents(letters);
        const t = range.getBoundingClientRect();
        const right = Math.max(t.right, el.classList.contains('veld-text') ? r.right : t.right);
        ink = { x: r.left - client.left, y: r.top - client.top, width: right - r.left, height: r.height };
      }
      return {
        kind: el.dataset.kind, id: el.dataset.id ?? null,
        x: r.left - client.left, y: r.top - client.top, width: r.width, height: r.height, ink,
      };
    });
  });
}

const apart = (a, b) =>
  a.x + a.width <= b.x + 0.5 || b.x + b.width <= a.x + 0.5 ||
  a.y + a.height <= b.y + 0.5 || b.y + b.height <= a.y + 0.5;

for (const dialogId of [1020, 1021]) {
  test(`dialog ${dialogId}: template rectangles, no overlap, picture, names, screenshot`, async ({ page }) => {
    const { dialog } = await open(page, dialogId);
    const state = lastState(tool);
    await expect(dialog).toHaveAccessibleName(state.caption);
    expect(state.caption).toMatch(/基礎配置のプロパティ$/);

    const boxes = await boxesOf(page);
    expect(boxes.length).toBe(state.controls.length);
    state.controls.forEach((c, i) => {
      for (const side of ['x', 'y', 'width', 'height']) {
        expect(Math.abs(boxes[i][side] - c.rect[side]), `${c.kind} ${c.id} "${c.text}" ${side}`)
          .toBeLessThanOrEqual(1);
      }
    });
    const client = await page.locator('.veld-dialog-client').boundingBox();
    expect(Math.round(client.width)).toBe(state.client.width);
    expect(Math.round(client.height)).toBe(state.client.height);

    // Group boxes frame others; every other pair is apart, a text's letters included.
    const drawn = boxes.filter((b) => b.kind !== 'group');
    for (let i = 0; i < drawn.length; ++i) {
      for (let j = i + 1; j < drawn.length; ++j) {
        const a = drawn[i].ink || drawn[i];
        const b = drawn[j].ink || drawn[j];
        expect(apart(a, b), `${JSON.stringify(drawn[i])} / ${JSON.stringify(drawn[j])}`).toBe(true);
      }
    }

    const picture = page.locator('.veld-picture img');
    await expect(picture).toBeVisible();
    expect(await picture.evaluate((img) => img.complete && img.naturalWidth > 0)).toBe(true);
    expect(await page.locator('.veld-picture').getAttribute('data-picture'))
      .toBe(String(dialogId === 1020 ? 1025 : 1027));

    for (const c of state.controls.filter((c) => ['edit', 'combo', 'check', 'button'].includes(c.kind))) {
      await expect(dialog.locator(`[data-id="${c.id}"]`)).toHaveCount(1);
    }
    const role = { edit: 'textbox', combo: 'combobox', check: 'checkbox', button: 'button' };
    for (const c of state.controls.filter((c) => role[c.kind] && c.label)) {
      await expect(dialog.getByRole(role[c.kind], { name: c.label, exact: true }).first()).toBeAttached();
    }

    // Half-width katakana are drawn half as wide as their full-width forms.
    const widths = await page.evaluate(() => {
      const span = document.createElement('span');
      document.querySelector('.veld-dialog-client').appendChild(span);
      const measure = (t) => { span.textContent = t; return span.getBoundingClientRect().width; };
      const result = [measure('ｷｬﾝｾﾙ'), measure('キャンセル')];
      span.remove();
      return result;
    });
    expect(widths[0] / widths[1]).toBeLessThan(0.6);
    const font = await page.locator('.veld-dialog').evaluate((el) => getComputedStyle(el).fontFamily);
    expect(font).toContain('Noto Sans CJK JP');

    const shot = await page.locator('.veld-dialog').screenshot();
    fs.mkdirSync(outputDir, { recursive: true });
    fs.writeFileSync(path.join(outputDir, `dialog-${dialogId}.png`), shot);
    if (process.env.VELD_UPDATE_DOCS === '1') {
      fs.writeFileSync(path.join(sourceDir, 'docs', `dialog-${dialogId}.png`), shot);
    }
  });
}

test('tab goes round the template tab stops, starting where the page put the focus', async ({ page }) => {
  await open(page, 1021);
  const state = lastState(tool);
  const stops = state.controls.filter((c) => c.tabStop && c.enabled).map((c) => String(c.id));
  const focused = () => page.evaluate(() => {
    const el = document.activeElement.closest('[data-id]');
    return el ? el.dataset.id : null;
  });
  expect(await focused()).toBe(String(state.focus ?? stops[0]));
  const start = stops.indexOf(await focused());
  const seen = [];
  for (let i = 0; i < stops.length; ++i) {
    await page.keyboard.press('Tab');
    seen.push(await focused());
  }
  const expected = stops.slice(start + 1).concat(stops.slice(0, start + 1));
  expect(seen).toEqual(expected);
  await page.keyboard.press('Shift+Tab');
  expect(await focused()).toBe(expected.at(-2));
  // Tabbing only moved the focus; every field left sent "leave", nothing else.
  expect(tool.lines.every((l) => /^leave \d+$/.test(l))).toBe(true);
});

test('triangular page: each action sends its line and the handlers results are shown', async ({ page }) => {
  const { harness, dialog } = await open(page, 1020);
  const field = (id) => dialog.locator(`[data-id="${id}"]`);
  const before = lastState(tool);

  // Second pile count: the pile calculation fills the outline fields.
  const second = controlOf(before, 1025).items[1];
  await field(1025).selectOption({ index: 1 });
  await harness.settle();
  expect(tool.lines.at(-1)).toBe(`select 1025 ${second}`);
  let state = lastState(tool);
  expect(controlOf(state, 1032).text).not.toBe(controlOf(before, 1032).text);
  await expect(field(1032)).toHaveValue(controlOf(state, 1032).text);
  await expect(field(1034)).toHaveValue(controlOf(state, 1034).text);

  // Typing into the face part and leaving it: "set", and the derived values come back.
  await field(1033).fill('300');
  await field(1035).focus();
  await harness.settle();
  expect(tool.lines.slice(-1)).toEqual(['set 1033 300']);
  state = lastState(tool);
  await expect(field(1033)).toHaveValue(controlOf(state, 1033).text);
  await expect(field(1034)).toHaveValue(controlOf(state, 1034).text);

  // R1 typed, left by a click elsewhere: R2 follows by the page's rule.
  await field(1035).fill('500');
  await field(1040).click();
  await harness.settle();
  expect(tool.lines.at(-1)).toBe('set 1035 500');
  state = lastState(tool);
  await expect(field(1041)).toHaveValue(controlOf(state, 1041).text);
  expect(controlOf(state, 1041).text).not.toBe(controlOf(before, 1041).text);

  // Bulk decides whether the search-layer list can be used (it opens enabled either way).
  const bulk = dialog.getByRole('checkbox', { name: '配置方法 / 一括' });
  await bulk.click();
  await harness.settle();
  expect(tool.lines.at(-1)).toBe('check 1058 on');
  await expect(field(1049)).toBeEnabled();
  await bulk.click();
  await harness.settle();
  expect(tool.lines.at(-1)).toBe('check 1058 off');
  await expect(field(1049)).toBeDisabled();
  await bulk.click();
  await harness.settle();
  await expect(field(1049)).toBeEnabled();

  // Read-only fields cannot be typed into.
  await expect(field(1034)).toHaveJSProperty('readOnly', true);

  // Enter in an edit: its text goes first, then the default button.
  await field(1040).fill('90');
  await page.keyboard.press('Enter');
  await tool.exited;
  expect(tool.lines.slice(-2)).toEqual(['set 1040 90', 'ok']);
  expect(tool.result).toBe(1);
  await harness.settle();
  await expect(page.getByRole('dialog')).toHaveCount(0);
  // Nothing but action lines went to the host.
  for (const line of tool.lines) expect(line).toMatch(/^(set|leave|select|check|click) \S+|^ok$|^cancel$/);
});

test('message box: buttons, default, Esc and the box closing back to the dialog', async ({ page }) => {
  await harnessRoutes(page);
  const sent = [];
  await page.exposeFunction('veldSendLine', (line) => sent.push(line));
  await page.goto('http://veld.test/');
  await page.waitForFunction(() => window.veldReady === true);
  const show = (e) => page.evaluate((ev) => window.veldShowEvent(ev), e);
  // As the driver publishes a warning with OK and Cancel (see BrowserDialogDriverTest).
  await show({ type: 'messagebox', caption: 'veld', text: '複数の変更はできません', icon: 'warning',
    buttons: [{ word: 'ok', label: 'OK' }, { word: 'cancel', label: 'キャンセル' }], default: 'ok' });
  const box = page.getByRole('alertdialog', { name: 'veld' });
  await expect(box).toContainText('複数の変更はできません');
  await expect(box.getByRole('button', { name: 'OK' })).toBeFocused();
  await page.keyboard.press('Escape');
  await page.keyboard.press('Escape'); // answered once only
  expect(sent).toEqual(['cancel']);
  await show({ type: 'dialog-closed', what: 'messagebox' });
  await expect(box).toHaveCount(0);

  await show({ type: 'messagebox', caption: 'veld', text: '完了', icon: 'information',
    buttons: [{ word: 'ok', label: 'OK' }], default: 'ok' });
  await page.keyboard.press('Enter');
  expect(sent).toEqual(['cancel', 'ok']);
});

// The block of a transcript from the dialog opening to the last field line of its close.
function dialogBlock(text, dialogId) {
  const start = text.indexOf(`Dialog ${dialogId} "`);
  const closed = text.indexOf('closed with', start);
  if (start < 0 || closed < 0) return null;
  const lines = text.slice(closed).split('\n');
  let end = 1;
  while (end < lines.length && lines[end].startsWith('  ')) end += 1;
  return text.slice(start, closed) + lines.slice(0, end).join('\n');
}

test('mouse actions and Esc give the transcript and values veld run prints for the same lines', async ({ page }) => {
  const veld = process.env.VELD_EXE || path.join(sourceDir, 'build', 'veld');
  test.skip(!fs.existsSync(veld), `veld is not built: ${veld}`);
  const { harness, dialog } = await open(page, 1020);
  const field = (id) => dialog.locator(`[data-id="${id}"]`);
  await field(1025).selectOption({ index: 1 });
  await harness.settle();
  await field(1033).click();
  await field(1033).fill('300');
  await dialog.getByRole('checkbox', { name: '配置方法 / 一括' }).click();
  await harness.settle();
  await field(1040).fill('90');
  await field(1035).click();
  await harness.settle();
  const shown = await page.evaluate(() => Object.fromEntries(
    [...document.querySelectorAll('input[type=text][data-id], select[data-id]')].map((el) => [
      el.dataset.id, el.tagName === 'SELECT' ? (el.selectedOptions[0]?.textContent ?? '') : el.value])));
  await page.keyboard.press('Escape');
  await tool.exited;
  expect(tool.lines.at(-1)).toBe('cancel');
  expect(tool.result).toBe(2);

  fs.mkdirSync(outputDir, { recursive: true });
  const work = fs.mkdtempSync(path.join(outputDir, 'dialog-run-'));
  fs.writeFileSync(path.join(work, 'page.veld'), ['FNDD', ...tool.lines, ''].join('\n'));
  const { execFileSync } = await import('node:child_process');
  const printed = execFileSync(veld, ['run', path.join(work, 'page.veld'), '--profile',
    path.join(work, 'profile'), '--drawing', path.join(sourceDir, 'support/sample/grid.dxf')],
  { encoding: 'utf8' });
  const expected = dialogBlock(printed, 1020);
  expect(expected).not.toBeNull();
  expect(dialogBlock(tool.transcript, 1020)).toBe(expected);
  // The last state the page showed is what the close lists (the Cancel changed nothing).
  const closing = expected.slice(expected.indexOf('closed with Cancel'));
  for (const [id, value] of Object.entries(shown)) {
    const line = closing.split('\n').find((l) => l.startsWith(`  ${id} `));
    expect(line, id).toMatch(new RegExp(`= "${value.replace(/[.()\\]/g, '\\$&')}"( \\(disabled\\))?$`));
  }
});
