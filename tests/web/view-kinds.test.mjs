// Kinds drawn from the records kept as read, in a real browser: a solid hatch fills its square in
// its true colour, a pattern hatch covers its square with lines (not a fill) and nothing outside
// it, a spline and an ellipse show where they lie.
import { test, expect } from '@playwright/test';
import { openHarness, countColors } from './view-harness.mjs';
import { tempFolder, sceneBodies, writeDxf } from './scene-files.mjs';

const GREEN = [0x20, 0xc0, 0x60];
const RED = [255, 0, 0];
const BLUE = [0, 0, 255];

function square(x, size) {
  return ['92', '3', '72', '0', '73', '1', '93', '4', '10', x, '20', 10, '10', x + size, '20', 10,
    '10', x + size, '20', 10 + size, '10', x, '20', 10 + size, '97', '0'];
}

function hatch(solid, extra, boundary, pattern = []) {
  return ['0', 'HATCH', '8', '0', ...extra, '100', 'AcDbEntity', '100', 'AcDbHatch', '10', '0',
    '20', '0', '30', '0', '2', solid ? 'SOLID' : 'USER', '70', solid ? '1' : '0', '71', '0',
    '91', '1', ...boundary, '75', '0', '76', solid ? '1' : '0', ...pattern, '98', '0'];
}

const KINDS_DXF = ['0', 'SECTION', '2', 'ENTITIES',
  ...hatch(true, ['420', String(0x20c060)], square(0, 80)),
  // Lines at 45 degrees, 6 units apart, 3 on and 3 off.
  ...hatch(false, ['62', '1'], square(100, 80), ['78', '1', '53', '45', '43', '0', '44', '0',
    '45', -6 * Math.SQRT1_2, '46', 6 * Math.SQRT1_2, '79', '2', '49', '3', '49', '-3']),
  '0', 'ELLIPSE', '8', '0', '62', '5', '100', 'AcDbEllipse', '10', '250', '20', '50', '30', '0',
  '11', '40', '21', '0', '31', '0', '40', '0.5', '41', '0', '42', String(2 * Math.PI),
  '0', 'SPLINE', '8', '0', '62', '5', '100', 'AcDbSpline', '70', '8', '71', '2', '72', '6',
  '73', '3', '74', '0', '40', '0', '40', '0', '40', '0', '40', '1', '40', '1', '40', '1',
  '10', '210', '20', '90', '30', '0', '10', '250', '20', '130', '30', '0',
  '10', '290', '20', '90', '30', '0',
  '0', 'LINE', '8', '0', '62', '8', '10', '0', '20', '0', '11', '300', '21', '0',
  '0', 'LINE', '8', '0', '62', '8', '10', '0', '20', '100', '11', '300', '21', '100',
  '0', 'ENDSEC', '0', 'EOF', ''].join('\n');

let bodies;

test.beforeAll(() => {
  const folder = tempFolder();
  bodies = { 'kinds.scene': sceneBodies(folder, writeDxf(folder, 'kinds.dxf', KINDS_DXF)).full };
});

test('hatches, splines and ellipses are drawn where and as they are', async ({ page }, info) => {
  await openHarness(page, bodies);
  await page.evaluate(() => window.loadScene('kinds.scene'));
  await page.screenshot({ path: info.outputPath('kinds.png') });
  // Drawing to client pixels after zoom extents.
  const box = await page.evaluate(() => {
    const v = window.view;
    const toBox = (x0, y0, x1, y1) => {
      const a = v.toClient(x0, y1), b = v.toClient(x1, y0);
      return [Math.round(a.x), Math.round(a.y), Math.round(b.x - a.x), Math.round(b.y - a.y)];
    };
    return { solid: toBox(8, 18, 72, 82), pattern: toBox(108, 18, 172, 82),
      curves: toBox(200, 20, 300, 100), between: toBox(83, 20, 97, 80) };
  });
  const area = (b) => b[2] * b[3];
  const [green] = await countColors(page, [GREEN], { tolerance: 20, box: box.solid });
  expect(green).toBeGreaterThan(area(box.solid) * 0.97);
  const [red] = await countColors(page, [RED], { tolerance: 40, box: box.pattern });
  expect(red).toBeGreaterThan(area(box.pattern) * 0.01); // dashed lines a few pixels apart
  expect(red).toBeLessThan(area(box.pattern) * 0.1); // not a fill
  const [blue] = await countColors(page, [BLUE], { tolerance: 60, box: box.curves });
  expect(blue).toBeGreaterThan(300);
  const [stray] = await countColors(page, [GREEN, RED], { tolerance: 40, box: box.between });
  expect(stray).toBe(0);
});
