// FNSD in bulk by mouse against the real `veld serve`: the window by two clicks, by a drag from
// the first corner and by a click and a drag, with and without labels (a label position clicked
// for each foundation); the foundations placed must be those `veld run` places. The profile
// remembers the window's first prompt for later sessions; a left drag at a point prompt that
// opens no window still pans.
import { test, expect } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { startServe, copyDrawing, tempFolder, auditDxf } from './serve-helper.mjs';

const here = path.dirname(new URL(import.meta.url).pathname);
const sourceDir = process.env.VELD_SOURCE_DIR || path.resolve(here, '../..');
const veld = process.env.VELD_EXE || path.join(sourceDir, 'build', 'veld');

const FROM = [17000, -1000]; // the window holds the crossings X4/Y1 and X5/Y1
const TO = [25000, 3000];
const LABELS = [[21000, 3000], [21000, 4500]]; // in an empty cell: nothing to snap to

async function toClient(page, [x, y]) {
  return page.evaluate(([px, py]) => window.veld.view.toClient(px, py), [x, y]);
}

async function untilPrompt(page, text) {
  await page.waitForFunction((t) => window.veld.session.prompt.text.startsWith(t), text);
}

async function openFnsd(page, label) {
  await page.getByRole('button', { name: 'FNSD', exact: true }).click();
  const dialog = page.getByRole('dialog', { name: '四角形基礎配置のプロパティ' });
  await expect(dialog).toBeVisible();
  const labelBox = dialog.getByRole('checkbox', { name: '符号 / ﾗﾍﾞﾙ' });
  await (label ? labelBox.check() : labelBox.uncheck());
  await dialog.getByRole('checkbox', { name: '配置方法 / 一括' }).check();
  await dialog.getByRole('button', { name: 'OK' }).click();
  await expect(dialog).toHaveCount(0);
  return dialog;
}

// The rectangle the page draws over the view follows the mouse from `from` to `to` (client
// pixels), and the drawing has not moved under the mouse.
async function expectBand(page, from, to) {
  await expect.poll(() => page.evaluate(([a, b]) => {
    const picks = window.veld.picks;
    if (!picks.boxes) {
      picks.boxes = [];
      const draw = picks.drawBox.bind(picks);
      picks.drawBox = (ctx, p, q, dashed) => { picks.boxes.push([p, q]); draw(ctx, p, q, dashed); };
    }
    picks.boxes.length = 0;
    window.veld.view.requestRedraw();
    return new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(() => {
      const r = window.veld.view.container.getBoundingClientRect();
      const near = (p, c) => Math.abs(p.x + r.left - c.x) <= 2 && Math.abs(p.y + r.top - c.y) <= 2;
      resolve(picks.boxes.some(([p, q]) => near(p, a) && near(q, b)));
    })));
  }, [from, to])).toBe(true);
  expect(await toClient(page, FROM)).toEqual(from);
}

async function windowByClicks(page) {
  const from = await toClient(page, FROM);
  const to = await toClient(page, TO);
  await untilPrompt(page, '1点目を指示');
  await page.mouse.click(from.x, from.y);
  await untilPrompt(page, '2点目を指示');
  await page.mouse.move(to.x, to.y, { steps: 8 });
  await expectBand(page, from, to);
  await page.mouse.click(to.x, to.y);
}

async function windowByDrag(page) {
  const from = await toClient(page, FROM);
  const to = await toClient(page, TO);
  await untilPrompt(page, '1点目を指示');
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 8 });
  await expectBand(page, from, to);
  const asked = await page.evaluate(() => {
    const picks = window.veld.picks;
    if (picks.cornersAsked === undefined) {
      picks.cornersAsked = 0;
      const changed = picks.promptChanged.bind(picks);
      picks.promptChanged = (prompt) => { if (prompt.kind === 'corner') picks.cornersAsked++; changed(prompt); };
    }
    return picks.cornersAsked;
  });
  await page.mouse.up();
  // The release answers the corner prompt that its press brings; until that prompt has come,
  // the first one still shows, and a RETURN then would answer the corner.
  await page.waitForFunction((n) => window.veld.picks.cornersAsked > n, asked);
}

// The first corner clicked, the second where a drag from it is released.
async function windowByClickThenDrag(page) {
  const from = await toClient(page, FROM);
  const to = await toClient(page, TO);
  await untilPrompt(page, '1点目を指示');
  await page.mouse.click(from.x, from.y);
  await untilPrompt(page, '2点目を指示');
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 8 });
  await expectBand(page, from, to);
  await page.mouse.up();
}

// The drawing as the Download button would give it, after the command has ended.
async function placedBy(page, serve, work, label, makeWindow) {
  const dialog = await openFnsd(page, label);
  await makeWindow(page);
  if (label) {
    for (const at of LABELS) {
      await untilPrompt(page, 'ラベルの位置を指示');
      const p = await toClient(page, at);
      await page.mouse.click(p.x, p.y);
    }
  }
  await untilPrompt(page, '1点目を指示');
  await page.locator('#command').press('Enter');
  await expect(dialog).toBeVisible();
  await dialog.getByRole('button', { name: 'ｷｬﾝｾﾙ' }).click();
  await expect.poll(() => page.evaluate(() => window.veld.session.prompt.kind)).toBe('command');
  const file = path.join(work, `browser-${Date.now()}.dxf`);
  fs.writeFileSync(file, Buffer.from(await (await page.request.get(
    `${serve.origin}/api/download?token=${serve.token}`)).body()));
  const audit = auditDxf(file);
  expect(audit.loaded && audit.error_count, JSON.stringify(audit.errors)).toBe(0);
  return file;
}

function placedByRun(work, label) {
  const script = ['FNSD', `check 1044 ${label ? 'on' : 'off'}`, 'check 1059 on', 'ok',
    FROM.join(','), TO.join(','), ...(label ? LABELS.map((p) => p.join(',')) : []), '', 'cancel'];
  const file = path.join(work, `run-${label}.veld`);
  fs.writeFileSync(file, script.join('\n'));
  const out = path.join(work, `run-${label}.dxf`);
  execFileSync(veld, ['run', file, '--profile', path.join(work, `run-profile-${label}`),
    '--drawing', path.join(sourceDir, 'support/sample/grid.dxf'), '--out', out], { stdio: 'pipe' });
  return out;
}

// Foundations as ezdxf reads them: each group's entity count and the inserted labels.
function foundations(file) {
  const program = 'import ezdxf, json, sys, logging\n' +
    'logging.getLogger("ezdxf").setLevel(logging.ERROR)\n' +
    'doc = ezdxf.readfile(sys.argv[1])\n' +
    'groups = sorted(len(list(g)) for n, g in doc.groups)\n' +
    'labels = sorted([round(e.dxf.insert.x), round(e.dxf.insert.y)] for e in doc.modelspace().query("INSERT"))\n' +
    'print(json.dumps({"groups": groups, "labels": labels}))';
  return JSON.parse(execFileSync('/usr/bin/python3', ['-c', program, file], { encoding: 'utf8' }));
}

for (const label of [false, true]) {
  test(`FNSD in bulk ${label ? 'with' : 'without'} labels: clicks, a drag and a click with a drag place what veld run places`, async ({ page }) => {
    const work = tempFolder('veld-bulk-window-');
    const serve = await startServe({ drawing: copyDrawing('support/sample/grid.dxf', work) });
    try {
      await page.goto(serve.url);
      await page.waitForFunction(() => window.veld?.view?.ready !== undefined);
      await page.evaluate(() => window.veld.view.ready);
      const expected = foundations(placedByRun(work, label));
      expect(expected.groups.length).toBe(2);
      // Two clicks first: veld then knows the first-corner prompt, and a drag from it is a window.
      for (const makeWindow of [windowByClicks, windowByDrag, windowByClickThenDrag]) {
        const placed = await placedBy(page, serve, work, label, makeWindow);
        expect(foundations(placed), makeWindow.name).toEqual(expected);
        await page.getByRole('button', { name: 'U', exact: true }).click();
        await expect.poll(() => page.evaluate(() => window.veld.session.prompt.kind)).toBe('command');
      }
    } finally {
      await serve.stop();
    }
  });
}

test('with a profile that has drawn a window, a new session takes a drag as its first window', async ({ page }) => {
  const work = tempFolder('veld-bulk-profile-');
  const profile = path.join(work, 'profile');
  const expected = foundations(placedByRun(work, false));
  for (const makeWindow of [windowByClicks, windowByDrag]) {
    const serve = await startServe({ drawing: copyDrawing('support/sample/grid.dxf', work), profile });
    try {
      await page.goto(serve.url);
      await page.waitForFunction(() => window.veld?.view?.ready !== undefined);
      await page.evaluate(() => window.veld.view.ready);
      expect(foundations(await placedBy(page, serve, work, false, makeWindow)), makeWindow.name).toEqual(expected);
    } finally {
      await serve.stop();
    }
  }
});

test('a left drag at a point prompt that opens no window still pans and answers nothing', async ({ page }) => {
  const serve = await startServe({ drawing: copyDrawing('support/sample/grid.dxf') });
  try {
    await page.goto(serve.url);
    await page.waitForFunction(() => window.veld?.view?.ready !== undefined);
    await page.evaluate(() => window.veld.view.ready);
    await page.locator('#command').fill('LINE');
    await page.locator('#command').press('Enter');
    await untilPrompt(page, 'Specify first point');
    const from = await toClient(page, [3000, 15000]);
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    await page.mouse.move(from.x + 120, from.y + 40, { steps: 6 });
    await page.mouse.up();
    const moved = await toClient(page, [3000, 15000]);
    expect(moved.x).toBeCloseTo(from.x + 120, 0);
    expect(moved.y).toBeCloseTo(from.y + 40, 0);
    expect(await page.evaluate(() => window.veld.session.prompt.text)).toMatch(/^Specify first point/);
  } finally {
    await serve.stop();
  }
});
