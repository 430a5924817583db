// The drawing view in a real browser: the demo drawing drawn as a CAD program shows it (pixels
// read back from the canvases), zoom and pan under the mouse, themes, and deltas that leave the
// same picture as a full load.
import { test, expect } from '@playwright/test';
import { openHarness, countColors } from './view-harness.mjs';
import { tempFolder, demoDrawings, sceneBodies, writeDxf } from './scene-files.mjs';

const DARK_BACKGROUND = [33, 40, 48];
const RED = [255, 0, 0];
const YELLOW = [255, 255, 0];
const DARK_YELLOW = [128, 128, 0];
const MAGENTA = [255, 0, 255];

// A Japanese text centred on (0, 0), a right-aligned one ending at (0, -30) and two lines that
// set the extents.
const TEXTS_DXF = ['0', 'SECTION', '2', 'ENTITIES',
  '0', 'TEXT', '8', '0', '10', '0', '20', '0', '11', '0', '21', '0', '40', '10', '1', '基礎符号',
  '72', '1', '73', '2',
  '0', 'TEXT', '8', '0', '62', '1', '10', '0', '20', '0', '11', '0', '21', '-30', '40', '10',
  '1', 'F1', '72', '2',
  '0', 'LINE', '8', '0', '10', '-100', '20', '-60', '11', '100', '21', '-60',
  '0', 'LINE', '8', '0', '10', '-100', '20', '60', '11', '100', '21', '60',
  '0', 'ENDSEC', '0', 'EOF', ''].join('\n');

let bodies;

test.beforeAll(() => {
  const folder = tempFolder();
  const { grid, demo } = demoDrawings(folder);
  const demoScene = sceneBodies(folder, demo);
  const gridToDemo = sceneBodies(folder, grid, demo);
  const texts = writeDxf(folder, 'texts.dxf', TEXTS_DXF);
  bodies = { 'demo.scene': demoScene.full, 'grid.scene': gridToDemo.full,
    'grid-to-demo.delta': gridToDemo.delta, 'texts.scene': sceneBodies(folder, texts).full };
});

test('the demo drawing is drawn in its colours on the dark background', async ({ page }, info) => {
  await openHarness(page, bodies);
  await page.evaluate(() => window.loadScene('demo.scene'));
  await page.screenshot({ path: info.outputPath('demo-dark.png') });
  const [background, red, yellow, magenta] =
    await countColors(page, [DARK_BACKGROUND, RED, YELLOW, MAGENTA], { tolerance: 30 });
  const total = 1280 * 800;
  expect(background).toBeGreaterThan(total * 0.7);
  expect(red).toBeGreaterThan(3000); // grid lines and their bubbles
  expect(yellow).toBeGreaterThan(1500); // dimensions
  expect(magenta).toBeGreaterThan(100); // symbol blocks in their reference's colour
  const stats = await page.evaluate(() => window.view.stats);
  expect(stats.drawCalls).toBeLessThan(200);
});

test('wheel zoom keeps the point under the cursor, drags pan, a middle double-click fits',
  async ({ page }) => {
    await openHarness(page, bodies);
    await page.evaluate(() => window.loadScene('demo.scene'));
    const world = () => page.evaluate(() => window.view.toWorld(400, 300));
    const textsAtExtents = await page.evaluate(() => window.view.stats.texts);
    const before = await world();
    await page.mouse.move(400, 300);
    for (let i = 0; i < 5; i++) await page.mouse.wheel(0, -100);
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const after = await world();
    const pixel = await page.evaluate(() => window.view.pixelSize());
    expect(Math.abs(after.x - before.x)).toBeLessThan(pixel * 2);
    expect(Math.abs(after.y - before.y)).toBeLessThan(pixel * 2);
    const zoomed = await page.evaluate(() => window.view.stats);
    expect(zoomed.texts).toBeGreaterThan(0); // dimension texts come up when they are readable
    expect(zoomed.texts).not.toBe(textsAtExtents);

    await page.mouse.down({ button: 'left' });
    await page.mouse.move(500, 350, { steps: 5 });
    await page.mouse.up({ button: 'left' });
    const panned = await world();
    expect(panned.x).toBeCloseTo(before.x - 100 * pixel, 0);
    expect(panned.y).toBeCloseTo(before.y + 50 * pixel, 0);

    await page.mouse.click(640, 400, { button: 'middle' });
    await page.mouse.click(640, 400, { button: 'middle' });
    const fitted = await page.evaluate(() => window.view.pixelSize());
    expect(fitted).toBeGreaterThan(pixel * 2);
    const client = await page.evaluate(() => {
      const [x0, y0, x1, y1] = window.view.extents;
      return [window.view.toClient(x0, y0), window.view.toClient(x1, y1)];
    });
    for (const p of client) {
      expect(p.x).toBeGreaterThanOrEqual(0);
      expect(p.x).toBeLessThanOrEqual(1280);
      expect(p.y).toBeGreaterThanOrEqual(0);
      expect(p.y).toBeLessThanOrEqual(800);
    }
  });

test('the light theme draws white as black and darkens yellow', async ({ page }, info) => {
  await openHarness(page, bodies, { theme: 'light' });
  await page.evaluate(() => window.loadScene('demo.scene'));
  await page.screenshot({ path: info.outputPath('demo-light.png') });
  const [white, yellow, darkYellow] =
    await countColors(page, [[255, 255, 255], YELLOW, DARK_YELLOW], { tolerance: 30 });
  expect(white).toBeGreaterThan(1280 * 800 * 0.7);
  expect(yellow).toBe(0);
  expect(darkYellow).toBeGreaterThan(1500);
});

test('a delta after a command gives the same picture as loading the drawing again', async ({ page }) => {
  expect(bodies['grid-to-demo.delta'].length).toBeLessThan(bodies['demo.scene'].length);
  await openHarness(page, bodies);
  await page.evaluate(() => window.loadScene('demo.scene'));
  const full = await countColors(page, [RED, YELLOW, MAGENTA], { tolerance: 30 });
  await page.evaluate(async () => {
    await window.view.load(await window.fetchBody('grid.scene'));
    await window.view.apply(await window.fetchBody('grid-to-demo.delta'));
    window.view.zoomExtents();
    window.view.drawNow();
  });
  const patched = await countColors(page, [RED, YELLOW, MAGENTA], { tolerance: 30 });
  expect(patched).toEqual(full);
});

test('texts are drawn with Japanese glyphs on their alignment point', async ({ page }, info) => {
  await openHarness(page, bodies);
  await page.evaluate(() => window.loadScene('texts.scene'));
  await page.screenshot({ path: info.outputPath('texts.png') });
  const at = (x, y) => page.evaluate(([x, y]) => window.view.toClient(x, y), [x, y]);
  const centre = await at(0, 0);
  const ten = (await at(10, 0)).x - centre.x; // pixels of ten drawing units
  const white = [255, 255, 255];
  const box = (x0, y0, x1, y1) => ({ box: [Math.round(x0), Math.round(y0), Math.round(x1 - x0), Math.round(y1 - y0)] });
  // Four full-width glyphs of height 10 span 40 to 60 units, half on each side of the centre.
  const [left] = await countColors(page, [white], box(centre.x - 3 * ten, centre.y - ten, centre.x, centre.y + ten));
  const [right] = await countColors(page, [white], box(centre.x, centre.y - ten, centre.x + 3 * ten, centre.y + ten));
  const [beyond] = await countColors(page, [white], box(centre.x + 3.5 * ten, centre.y - ten, centre.x + 5 * ten, centre.y + ten));
  expect(left).toBeGreaterThan(ten * ten * 0.4);
  expect(right).toBeGreaterThan(left * 0.7);
  expect(right).toBeLessThan(left * 1.3);
  expect(beyond).toBe(0);
  // The red text ends at x = 0 with its baseline at y = -30.
  const end = await at(0, -30);
  const [before] = await countColors(page, [[255, 0, 0]], box(end.x - 2 * ten, end.y - ten, end.x, end.y));
  const [after] = await countColors(page, [[255, 0, 0]], box(end.x + 2, end.y - ten, end.x + 2 * ten, end.y));
  expect(before).toBeGreaterThan(ten * 2);
  expect(after).toBe(0);
});

test('the page switches theme at run time and draws its overlay over the drawing', async ({ page }) => {
  await openHarness(page, bodies);
  await page.evaluate(() => window.loadScene('texts.scene'));
  const white = [255, 255, 255], black = [0, 0, 0];
  const [whiteOnDark] = await countColors(page, [white], { tolerance: 10 });
  expect(whiteOnDark).toBeGreaterThan(500); // colour 7 texts and lines
  await page.evaluate(() => {
    window.view.setTheme('light');
    window.view.setOverlay((ctx, view) => {
      const p = view.toClient(0, 0);
      ctx.fillStyle = '#00ff00';
      ctx.fillRect(p.x - 5, p.y - 5, 10, 10);
    });
    window.view.drawNow();
  });
  const [blackOnLight, marker] = await countColors(page, [black, [0, 255, 0]], { tolerance: 10 });
  expect(blackOnLight).toBeGreaterThan(whiteOnDark * 0.8);
  expect(marker).toBe(100);
  const [background] = await countColors(page, [white], { tolerance: 2 });
  expect(background).toBeGreaterThan(1280 * 800 * 0.9);
});

test('the text layer holds a bitmap only while texts or the overlay show, and draws the same when back',
  async ({ page }) => {
    await openHarness(page, bodies);
    await page.evaluate(() => window.loadScene('texts.scene'));
    const white = [255, 255, 255], green = [0, 255, 0];
    const layerWidth = () => page.evaluate(() => window.view.textCanvas.width);
    const [textsAtExtents] = await countColors(page, [white], { tolerance: 10 });
    expect(await layerWidth()).toBe(1280);
    const zoom = (factor) => page.evaluate((f) => {
      window.view.zoomAt(640, 400, f);
      window.view.drawNow();
      return window.view.stats.texts;
    }, factor);
    expect(await zoom(1e-3)).toBe(0); // texts under a pixel
    expect(await layerWidth()).toBe(0);
    await page.evaluate(() => {
      window.marker = false;
      window.view.setOverlay((ctx) => {
        ctx.fillStyle = '#00ff00';
        ctx.fillRect(10, 10, 10, 10);
      }, () => window.marker);
      window.view.drawNow();
    });
    expect(await layerWidth()).toBe(0);
    await page.evaluate(() => { window.marker = true; window.view.drawNow(); });
    expect(await layerWidth()).toBe(1280);
    expect((await countColors(page, [green], { tolerance: 10 }))[0]).toBe(100);
    await page.evaluate(() => { window.marker = false; });
    expect(await zoom(1e3)).toBe(2);
    const [textsBack, noMarker] = await countColors(page, [white, green], { tolerance: 10 });
    expect(textsBack).toBe(textsAtExtents);
    expect(noMarker).toBe(0);
  });
