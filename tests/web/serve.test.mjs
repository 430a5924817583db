// veld serve end to end in a real browser: the command line, picks and snaps, selection
// windows, ESC and U, saving, several tabs, and the server's refusals.
import { test, expect } from '@playwright/test';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { startServe, copyDrawing, tempFolder, auditDxf, linesOf, shapesOf } from './serve-helper.mjs';

const GRID_LINES = 11;

async function openPage(page, serve) {
  await page.goto(serve.url);
  await page.waitForFunction(() => window.veld && window.veld.session.revision > 0);
  await page.evaluate(() => window.veld.view.ready);
  await waitPrompt(page, 'command');
}

function waitPrompt(page, kind, text) {
  return page.waitForFunction(([k, t]) => {
    const p = window.veld.session.prompt;
    return p.kind === k && (!t || p.text.startsWith(t));
  }, [kind, text]);
}

async function typeLine(page, text) {
  await page.locator('#command').fill(text);
  await page.locator('#command').press('Enter');
}

function transcript(page) {
  return page.locator('#history').textContent();
}

// Clicks `dx`, `dy` pixels beside a drawing point; the drawing point under the click.
async function clickNear(page, x, y, dx = 0, dy = 0, options = {}) {
  const at = await page.evaluate(([px, py]) => window.veld.view.toClient(px, py), [x, y]);
  await page.mouse.click(at.x + dx, at.y + dy, options);
  return page.evaluate(([cx, cy]) => window.veld.view.toWorld(cx, cy), [at.x + dx, at.y + dy]);
}

async function dragBetween(page, from, to) {
  const a = await page.evaluate(([x, y]) => window.veld.view.toClient(x, y), from);
  const b = await page.evaluate(([x, y]) => window.veld.view.toClient(x, y), to);
  await page.mouse.move(a.x, a.y);
  await page.mouse.down();
  await page.mouse.move(b.x, b.y, { steps: 6 });
  await page.mouse.up();
}

// The current drawing as the Download button gives it, written to a file.
async function downloadDrawing(page, folder) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.getByRole('button', { name: 'Download DXF' }).click()]);
  const file = path.join(folder, `download-${Date.now()}.dxf`);
  await download.saveAs(file);
  return file;
}

test.describe('veld serve', () => {
  let serve;
  let folder;
  let drawing;

  test.beforeEach(async () => {
    folder = tempFolder();
    drawing = copyDrawing('support/sample/grid.dxf', folder);
    serve = await startServe({ drawing });
  });

  test.afterEach(async () => { await serve.stop(); });

  test('LINE typed and two clicks make a line at the clicked points; SAVE writes a clean file', async ({ page }) => {
    const picks = [];
    page.on('request', (r) => { if (r.url().includes('/api/pick')) picks.push(JSON.parse(r.postData())); });
    await openPage(page, serve);
    await expect(page.getByRole('application', { name: 'Drawing' })).toBeVisible();
    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point', 'Specify first point');
    // Middle of two grid cells: nothing to snap to within the aperture.
    await clickNear(page, 3000, 15000);
    await waitPrompt(page, 'point', 'Specify next point');
    await clickNear(page, 9000, 21000);
    await page.waitForFunction(() => window.veld.session.prompt.base?.[0] > 8000);
    await clickNear(page, 9000, 9000, 0, 0, { button: 'right' }); // RETURN ends LINE
    await waitPrompt(page, 'command');

    await page.getByRole('button', { name: 'SAVE', exact: true }).click();
    await expect.poll(() => fs.existsSync(`${drawing}.bak`)).toBe(true);
    await waitPrompt(page, 'command');
    const audit = auditDxf(drawing);
    expect(audit.loaded && audit.error_count).toBe(0);
    const lines = linesOf(drawing);
    expect(lines).toHaveLength(GRID_LINES + 1);
    const drawn = lines[lines.length - 1];
    // Exactly the points the page sent: no digit is lost on the way to the file.
    const [first, second] = picks;
    expect(drawn).toEqual([first.x, first.y, second.x, second.y]);
    expect(first.x).toBeCloseTo(3000, -2);
    expect(await transcript(page)).toContain('Command: LINE\nSpecify first point: ');
  });

  test('with OSMODE 32 a click near a grid crossing gives the exact crossing, marker shown', async ({ page }) => {
    await openPage(page, serve);
    await typeLine(page, 'OSMODE');
    await waitPrompt(page, 'text', 'Enter new value for OSMODE');
    await typeLine(page, '32');
    await waitPrompt(page, 'command');
    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point');
    const near = await page.evaluate(() => window.veld.view.toClient(6000, 12000));
    await page.mouse.move(near.x + 4, near.y - 3);
    await page.waitForFunction(() => window.veld.picks.snap?.mode === 32);
    expect(await page.evaluate(() => window.veld.picks.snap)).toEqual({ x: 6000, y: 12000, mode: 32 });
    await clickNear(page, 6000, 12000, 4, -3);
    await waitPrompt(page, 'point', 'Specify next point');
    await clickNear(page, 12000, 18000, -3, 2);
    await page.waitForFunction(() => window.veld.session.prompt.base?.[0] === 12000);
    await page.keyboard.press('Escape');
    await waitPrompt(page, 'command');
    const lines = linesOf(await downloadDrawing(page, folder));
    expect(lines[lines.length - 1]).toEqual([6000, 12000, 12000, 18000]);
    // Typed coordinates are taken as typed, never snapped.
    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point');
    await typeLine(page, '6001,12001');
    await waitPrompt(page, 'point', 'Specify next point');
    await typeLine(page, '');
    await waitPrompt(page, 'command');
    await expect.poll(async () => linesOf(await downloadDrawing(page, folder)).length).toBe(GRID_LINES + 1);
  });

  test('FNDD: the click for the insertion point lands on the grid crossing', async ({ page }) => {
    // The page's dialog is answered with the same lines in the browser as in a terminal.
    const dialogShown = () => page.waitForFunction(() => window.veld.session.dialogOpen ||
      document.getElementById('history').textContent.endsWith('Dialog: '));
    const send = (...lines) => page.evaluate(async (all) => {
      for (const line of all) await window.veld.session.sendLine(line);
    }, lines);
    const asked = (text) => page.evaluate((t) => document.getElementById('history').textContent.split(t).length - 1, text);
    const place = async (givePoint) => {
      const before = await asked('挿入基点を指示');
      await page.getByRole('button', { name: 'FNDD', exact: true }).click();
      await dialogShown();
      await send('check BULK_CHECK off', 'check LABEL_CHECK off', 'ok');
      await expect.poll(() => asked('挿入基点を指示')).toBe(before + 1);
      await givePoint();
      await expect.poll(() => asked('挿入基点を指示')).toBe(before + 2); // the next one
      await send(''); // RETURN ends the placing
      await page.waitForFunction(() => window.veld.session.prompt.kind === 'command' || window.veld.session.dialogOpen ||
        document.getElementById('history').textContent.endsWith('Dialog: '));
      if (await page.evaluate(() => window.veld.session.prompt.kind !== 'command')) await send('cancel');
      await waitPrompt(page, 'command');
      return shapesOf(await downloadDrawing(page, folder));
    };
    await openPage(page, serve);
    // The module asks with OSMODE 32: 5 and 4 pixels beside the crossing is the crossing.
    const clicked = await place(() => clickNear(page, 6000, 12000, 5, 4));
    await page.getByRole('button', { name: 'U', exact: true }).click();
    await expect.poll(async () => shapesOf(await downloadDrawing(page, folder)).length).toBeLessThan(clicked.length);
    const typed = await place(() => send('6000,12000'));
    expect(clicked.length).toBeGreaterThan(33);
    expect(clicked).toEqual(typed);
  });

  test('a window drag selects what lies inside, a crossing what it touches', async ({ page }) => {
    await openPage(page, serve);
    // The bubble of grid line X1: circle (radius 600) and its text; the line starts at its top.
    await typeLine(page, 'FNDE');
    await waitPrompt(page, 'select');
    await dragBetween(page, [-900, -3400], [900, -1900]);
    await expect.poll(() => transcript(page)).toContain('2 found');
    await page.keyboard.press('Escape');
    await waitPrompt(page, 'command');
    await typeLine(page, 'FNDE');
    await waitPrompt(page, 'select');
    await dragBetween(page, [900, -1900], [-900, -3400]);
    await expect.poll(() => transcript(page)).toContain('3 found');
    await page.keyboard.press('Escape');
    await waitPrompt(page, 'command');
  });

  test('ESC cancels the running command and U takes the last one back', async ({ page }) => {
    await openPage(page, serve);
    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point');
    await clickNear(page, 3000, 3000);
    await waitPrompt(page, 'point', 'Specify next point');
    await page.keyboard.press('Escape');
    await waitPrompt(page, 'command');
    expect(await transcript(page)).toMatch(/\*Cancel\*\nCommand: $/);
    expect(linesOf(await downloadDrawing(page, folder))).toHaveLength(GRID_LINES);

    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point');
    await clickNear(page, 3000, 3000);
    await waitPrompt(page, 'point', 'Specify next point');
    await clickNear(page, 9000, 3000);
    await page.waitForFunction(() => window.veld.session.prompt.base?.[0] > 8000);
    await page.locator('#command').press('Enter');
    await waitPrompt(page, 'command');
    expect(linesOf(await downloadDrawing(page, folder))).toHaveLength(GRID_LINES + 1);
    await page.getByRole('button', { name: 'U', exact: true }).click();
    await expect.poll(() => transcript(page)).toMatch(/Command: U\n.*LINE/);
    await expect.poll(async () => linesOf(await downloadDrawing(page, folder)).length).toBe(GRID_LINES);
  });

  test('two tabs share one session; the arrow keys recall typed lines', async ({ page, context }) => {
    await openPage(page, serve);
    const other = await context.newPage();
    await openPage(other, serve);
    await typeLine(page, 'LINE');
    await waitPrompt(other, 'point', 'Specify first point');
    await expect.poll(() => transcript(other)).toContain('Command: LINE');
    await other.keyboard.press('Escape');
    await waitPrompt(page, 'command');
    await page.locator('#command').press('ArrowUp');
    await expect(page.locator('#command')).toHaveValue('LINE');
    // A tab opened later sees the transcript so far.
    const late = await context.newPage();
    await openPage(late, serve);
    expect(await transcript(late)).toContain('Command: LINE');
  });

  test('save as, open by path and upload; no other drawing while changes are unsaved', async ({ page }) => {
    await openPage(page, serve);
    await expect(page.locator('#file-name')).toHaveText(drawing);
    await typeLine(page, 'LINE');
    await waitPrompt(page, 'point');
    await typeLine(page, '100,100');
    await waitPrompt(page, 'point', 'Specify next point');
    await typeLine(page, '200,300');
    await waitPrompt(page, 'point', 'Specify next point');
    await typeLine(page, '');
    await waitPrompt(page, 'command');
    await expect(page.locator('#file-name')).toHaveText(`${drawing} (changed)`);

    const other = path.join(folder, 'other.dxf');
    fs.copyFileSync(drawing, other);
    await page.getByRole('button', { name: 'Open by path' }).click();
    await page.locator('#path-input').fill(other);
    await page.getByRole('button', { name: 'OK' }).click();
    await expect.poll(() => transcript(page)).toContain('unsaved changes');

    const copy = path.join(folder, 'copy.dxf');
    await page.getByRole('button', { name: 'Save as' }).click();
    await page.locator('#path-input').fill(copy);
    await page.getByRole('button', { name: 'OK' }).click();
    await expect(page.locator('#file-name')).toHaveText(copy);
    expect(auditDxf(copy).error_count).toBe(0);
    expect(linesOf(copy)).toContainEqual([100, 100, 200, 300]);

    await page.getByRole('button', { name: 'Open by path' }).click();
    await page.locator('#path-input').fill(other);
    await page.getByRole('button', { name: 'OK' }).click();
    await expect(page.locator('#file-name')).toHaveText(other);
    expect(linesOf(await downloadDrawing(page, folder))).toHaveLength(GRID_LINES);

    await page.locator('#upload').setInputFiles(copy);
    await expect(page.locator('#file-name')).toHaveText(/uploads\/copy\.dxf$/);
    expect(linesOf(await downloadDrawing(page, folder))).toHaveLength(GRID_LINES + 1);
  });

  test('requests without the token, from another host or origin, or outside the page are refused', async () => {
    const { port } = new URL(serve.url);
    const answer = (target, { method = 'GET', headers = {}, body } = {}) => new Promise((resolve, reject) => {
      const req = http.request({ host: '127.0.0.1', port, path: target, method, headers: { Host: `127.0.0.1:${port}`, ...headers } }, (res) => {
        let text = '';
        res.on('data', (chunk) => (text += chunk));
        res.on('end', () => resolve({ status: res.statusCode, text }));
      });
      req.on('error', reject);
      req.end(body);
    });
    const request = async (target, options) => (await answer(target, options)).status;
    const t = `token=${serve.token}`;
    expect(await request(`/?${t}`)).toBe(200);
    expect(await request('/')).toBe(403);
    expect(await request('/api/events')).toBe(403);
    expect(await request('/api/display?token=0000')).toBe(403);
    expect(await request(`/?${t}`, { headers: { Host: `rebound.example:${port}` } })).toBe(403);
    expect(await request(`/api/input?${t}`, { method: 'POST', body: 'LINE', headers: { Origin: 'http://evil.example' } })).toBe(403);
    expect(await request(`/api/input?${t}`, { method: 'POST', body: 'LINE', headers: { 'Sec-Fetch-Site': 'cross-site' } })).toBe(403);
    expect(await request(`/etc/passwd?${t}`)).toBe(404);
    expect(await request(`/assets/..%2f..%2fCMakeLists.txt?${t}`)).toBe(404);
    expect(await request(`/assets/nothing.js?${t}`)).toBe(404);
    expect(await request(`/api/input?${t}`, { method: 'POST', body: 'x'.repeat(5000) })).toBe(413);
    // A body over the upload limit is refused before it is read, with what to do instead.
    const huge = await answer(`/api/upload?${t}&name=huge.dxf`, { method: 'POST', body: 'x', headers: { 'Content-Length': String((64 << 20) + 1) } });
    expect(huge.status).toBe(413);
    expect(huge.text).toContain('open it by its path instead');
    expect(await request(`/api/input?${t}`, { method: 'POST', body: Buffer.from([0x8a, 0xee, 0x91, 0x62]) })).toBe(400);
    expect(await request(`/api/pick?${t}`, { method: 'POST', body: '{"x":"1"}' })).toBe(400);
    expect(await request(`/assets/app.js`, { headers: { Cookie: `veld_token_${port}=${serve.token}` } })).toBe(200);
  });

  test('stopping with unsaved changes asks on the terminal: Cancel goes on, Yes saves', async () => {
    await serve.stop();
    serve = await startServe({ drawing, stdin: 'pipe' });
    const headers = { 'X-Veld-Token': serve.token };
    const events = await fetch(new URL('/api/events', serve.url), { headers });
    const reader = events.body.getReader();
    for (const line of ['LINE', '10,10', '20,30', '']) {
      await fetch(new URL('/api/input', serve.url), { method: 'POST', headers, body: line });
    }
    let seen = '';
    while (!seen.includes('"modified":true')) seen += new TextDecoder().decode((await reader.read()).value);
    reader.cancel();

    const asked = async () => expect.poll(() => serve.output()).toMatch(/Save changes to .*grid\.dxf\? \[Yes\/No\/Cancel\] <Yes>: $/);
    serve.process.kill('SIGINT');
    await asked();
    serve.process.stdin.write('c\n');
    await expect.poll(() => serve.output()).toContain('veld serve goes on.');
    expect((await fetch(new URL('/api/display', serve.url), { headers })).status).toBe(200);
    serve.process.kill('SIGINT');
    await expect.poll(() => serve.output().split('Save changes').length).toBe(3);
    serve.process.stdin.write('y\n');
    expect((await serve.stop()).code).toBe(0);
    expect(fs.existsSync(`${drawing}.bak`)).toBe(true);
    expect(auditDxf(drawing).error_count).toBe(0);
    expect(linesOf(drawing)).toContainEqual([10, 10, 20, 30]);
  });
});
