// The whole job in the browser against the real `veld serve`: on the sample grid, a triangular
// foundation placed with FNDD (second pile count, face part typed, OK, a click near a grid
// crossing and one for its symbol), two square foundations in bulk with FNSD in a window (its
// two corners clicked, without labels), FNDE on a window across both (the warning box, OK),
// the first changed with FNDE (a click on one of its look lines, 回転角(度) 90), U, SAVE. The
// saved drawing must be what the same steps give through `veld run` (ezdxf, handles
// normalised), and the dialog part of the transcript what `veld run` prints.
import { test, expect } from '@playwright/test';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { outputDir, sourceDir } from './dialog-harness.mjs';

const here = path.dirname(new URL(import.meta.url).pathname);
const helperPath = path.join(here, 'serve-helper.mjs');
const veld = process.env.VELD_EXE || path.join(sourceDir, 'build', 'veld');
const python = '/usr/bin/python3';

const X2Y4 = [6000, 18000];  // insertion of the triangle
const X3Y3 = [12000, 12000]; // its symbol point
const LOOK_LAYER = '基礎見かけ線';

// The page's drawing view, as the page shell hands it to tests.
async function toClient(page, [x, y]) {
  return page.evaluate(([px, py]) => {
    const view = window.veld?.view ?? window.veldView;
    return view ? view.toClient(px, py) : null;
  }, [x, y]);
}

async function clickAt(page, point) {
  const at = await toClient(page, point);
  expect(at, 'the page exposes its view as window.veld.view').not.toBeNull();
  await page.mouse.click(at.x, at.y);
}

// Waits until the transcript has shown `text` `times` times: the session took the last answer
// and asks the next question (clicks and typed lines travel separately to the server).
async function untilAsked(page, text, times) {
  await expect.poll(async () => (await page.locator('#history').textContent()).split(text).length - 1,
    { timeout: 15_000 }).toBeGreaterThanOrEqual(times);
}

function run(args) {
  return execFileSync(veld, args, { encoding: 'utf8' });
}

test('FNDD, FNSD in bulk, FNDE, U and SAVE by mouse give the drawing veld run gives', async ({ page }) => {
  test.skip(!fs.existsSync(helperPath), 'veld serve is not in this build (tests/web/serve-helper.mjs missing)');
  test.skip(!fs.existsSync(veld), `veld is not built: ${veld}`);
  const { startServe, copyDrawing, tempFolder } = await import(helperPath);
  const work = tempFolder('veld-dialog-flow-');
  const drawing = copyDrawing('support/sample/grid.dxf', work);
  const serve = await startServe({ drawing, profile: path.join(work, 'profile') });
  try {
    const events = await page.request.get(`${serve.origin}/api/events?token=${serve.token}`, {
      timeout: 2000, failOnStatusCode: false,
    }).catch(() => null);
    test.skip(events !== null && events.status() === 404, 'veld serve has no /api/events');
    await page.goto(serve.url);
    test.skip(await page.locator('#dialog-layer').count() === 0, 'the page shell has no dialog layer');
    await page.waitForFunction(() => (window.veld?.view ?? window.veldView)?.ready !== undefined);
    await page.evaluate(() => (window.veld?.view ?? window.veldView).ready);
    const toolbar = (name) => page.getByRole('button', { name, exact: true });

    // 1. FNDD: second pile count, face part 300, OK; insertion and symbol points by clicks.
    await toolbar('FNDD').click();
    let dialog = page.getByRole('dialog', { name: '三角形基礎配置のプロパティ' });
    await expect(dialog).toBeVisible();
    const pileCount = dialog.locator('[data-id="1025"]');
    const secondCount = (await pileCount.locator('option').nth(1).textContent()).trim();
    await pileCount.selectOption({ index: 1 });
    await dialog.locator('[data-id="1033"]').fill('300');
    await dialog.getByRole('button', { name: 'OK' }).click();
    await expect(dialog).toHaveCount(0);
    await untilAsked(page, '挿入基点を指示', 1);
    await clickAt(page, X2Y4);
    await untilAsked(page, '符号の位置を指示', 1);
    await clickAt(page, X3Y3);
    await untilAsked(page, '挿入基点を指示', 2);
    await page.locator('#command').press('Enter'); // no more insertion points: the page is back
    await expect(dialog).toBeVisible();
    await dialog.getByRole('button', { name: 'ｷｬﾝｾﾙ' }).click();
    await expect(dialog).toHaveCount(0);

    // 2. FNSD in bulk: the window from left of X4 below Y1 to right of X5 below Y2 holds the
    //    crossings X4/Y1 and X5/Y1.
    await toolbar('FNSD').click();
    dialog = page.getByRole('dialog', { name: '四角形基礎配置のプロパティ' });
    await expect(dialog).toBeVisible();
    await dialog.getByRole('checkbox', { name: '符号 / ﾗﾍﾞﾙ' }).uncheck();
    await dialog.getByRole('checkbox', { name: '配置方法 / 一括' }).check();
    await dialog.getByRole('button', { name: 'OK' }).click();
    // The window by its two corners, the rubber band following the mouse in between.
    const from = await toClient(page, [17000, -1000]);
    const to = await toClient(page, [25000, 3000]);
    await untilAsked(page, '1点目を指示', 1);
    await page.mouse.click(from.x, from.y);
    await untilAsked(page, '2点目を指示', 1);
    await page.mouse.move(to.x, to.y, { steps: 8 });
    await page.mouse.click(to.x, to.y);
    await untilAsked(page, '1点目を指示', 2);
    await page.locator('#command').press('Enter'); // no more windows: the page is back
    await expect(dialog).toBeVisible();
    await dialog.getByRole('button', { name: 'ｷｬﾝｾﾙ' }).click();
    await expect(dialog).toHaveCount(0);

    // 3. FNDE with a window across both squares: the module's warning as a modal box, whose
    //    OK ends the command with nothing changed.
    await toolbar('FNDE').click();
    await untilAsked(page, '変更する基礎を指示', 1);
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    await page.mouse.move(to.x, to.y, { steps: 8 });
    await page.mouse.up();
    const box = page.getByRole('alertdialog');
    await expect(box).toContainText('複数の変更はできません');
    await box.getByRole('button', { name: 'OK' }).click();
    await expect(box).toHaveCount(0);
    await expect.poll(() => page.evaluate(() => window.veld.session.prompt.kind)).toBe('command');

    // 4. FNDE on a look line of the triangle (found in the drawing as it stands now).
    const now = path.join(work, 'now.dxf');
    fs.writeFileSync(now, Buffer.from(await (await page.request.get(
      `${serve.origin}/api/download?token=${serve.token}`)).body()));
    const look = JSON.parse(execFileSync(python, [path.join(here, 'look_line.py'), now, LOOK_LAYER],
      { encoding: 'utf8' }));
    await toolbar('FNDE').click();
    await untilAsked(page, '変更する基礎を指示', 2);
    await clickAt(page, look);
    dialog = page.getByRole('dialog', { name: '三角形基礎変更のプロパティ' });
    await expect(dialog).toBeVisible();
    await dialog.getByRole('textbox', { name: '数値入力 / 回転角(度)' }).fill('90');
    await dialog.getByRole('button', { name: 'OK' }).click();
    await expect(dialog).toHaveCount(0);

    // 5. U, then SAVE.
    await toolbar('U').click();
    await untilAsked(page, 'Command: U', 1);
    const unsaved = fs.statSync(drawing).mtimeMs;
    await toolbar('SAVE').click();
    await expect.poll(() => fs.statSync(drawing).mtimeMs, { timeout: 20_000 }).toBeGreaterThan(unsaved);

    fs.mkdirSync(outputDir, { recursive: true });
    fs.writeFileSync(path.join(outputDir, 'dialog-flow-transcript.txt'),
      await page.locator('#history').textContent());

    // The same steps through veld run.
    const script = [
      'FNDD', `select 1025 ${secondCount}`, 'set 1033 300', 'ok', X2Y4.join(','), X3Y3.join(','), '', 'cancel',
      'FNSD', 'check 1044 off', 'check 1059 on', 'ok', '17000,-1000', '25000,3000', '', 'cancel',
      'FNDE', '17000,-1000', '25000,3000',
      'FNDE', look.join(','), 'set 1040 90', 'ok',
      'U',
    ];
    fs.writeFileSync(path.join(work, 'steps.veld'), script.join('\n'));
    const reference = path.join(work, 'reference.dxf');
    const printed = run(['run', path.join(work, 'steps.veld'), '--profile', path.join(work, 'reference-profile'),
      '--drawing', path.join(sourceDir, 'support/sample/grid.dxf'), '--out', reference]);
    for (const file of [drawing, reference]) {
      execFileSync(python, [path.join(sourceDir, 'tests/support/ezdxf_check.py'), file]);
    }
    let compared;
    try {
      compared = execFileSync(python, [path.join(here, 'dxf_same_drawing.py'), drawing, reference], { encoding: 'utf8' });
    } catch (e) {
      compared = e.stdout;
    }
    // The dialog lines (openings, actions, changed and closing fields) read as veld run's.
    const dialogLines = (text) => text.split('\n')
      .filter((l) => /^(Dialog |Dialog: |  \d+ )/.test(l));
    expect(dialogLines(await page.locator('#history').textContent()))
      .toEqual(dialogLines(printed));
    const result = JSON.parse(compared);
    expect(result.differences).toEqual([]);
    expect(result.counts.entities).toBeGreaterThan(0);
  } finally {
    await serve.stop();
  }
});
