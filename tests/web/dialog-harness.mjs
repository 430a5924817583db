// Plays the server's part for the browser tests of dialog.js: a property page runs in the test
// tool dialog_page_tool with the browser dialog driver; its events are shown in a harness page
// by dialog.js, and the lines the page sends go back to the tool. Nothing here lays out or
// computes a dialog value: the page shows what the C++ side published.
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
export const sourceDir = process.env.VELD_SOURCE_DIR || path.resolve(here, '../..');
export const binaryDir = process.env.VELD_BINARY_DIR || path.join(sourceDir, 'build');
export const assetsDir = path.join(sourceDir, 'host/web/assets');
export const outputDir = process.env.VELD_WEB_OUTPUT || path.join(here, 'test-results');
export const pageToolPath = path.join(binaryDir, 'tests', 'dialog_page_tool');

const HARNESS = `<!doctype html>
<html lang="ja"><head><meta charset="utf-8"><title>dialog harness</title></head>
<body style="margin:0;background:#202326">
<div id="view" style="position:relative;width:100vw;height:100vh">
  <div id="dialog-layer"></div>
</div>
<script type="module">
import { showDialogEvent } from '/assets/dialog.js';
const layer = document.getElementById('dialog-layer');
window.veldShowEvent = (e) => showDialogEvent(e, (line) => window.veldSendLine(line), layer);
window.veldReady = true;
</script></body></html>`;

// One run of the tool: events and transcript as they come, lines sent in order.
export class PageTool {
  constructor(dialogId, { edit = false } = {}) {
    this.events = [];
    this.transcript = '';
    this.lines = [];
    this.listeners = [];
    this.process = spawn(pageToolPath, ['--gtest_filter=DialogPageTool.Run', '--gtest_brief=1'], {
      env: { ...process.env, VELD_DIALOG_PAGE: String(dialogId), VELD_DIALOG_EDIT: edit ? '1' : '0' },
      stdio: ['pipe', 'pipe', 'inherit'],
    });
    this.exited = new Promise((resolve) => this.process.on('exit', resolve));
    let pending = '';
    this.process.stdout.setEncoding('utf8');
    this.process.stdout.on('data', (chunk) => {
      pending += chunk;
      let end;
      while ((end = pending.indexOf('\n')) >= 0) {
        this.take(pending.slice(0, end));
        pending = pending.slice(end + 1);
      }
    });
  }

  take(line) {
    if (line.startsWith('@event ')) {
      const event = JSON.parse(line.slice(7));
      this.events.push(event);
      for (const listener of this.listeners) listener(event);
    } else if (line.startsWith('@text ')) {
      this.transcript += JSON.parse(line.slice(6));
    } else if (line.startsWith('@result ')) {
      this.result = Number(line.slice(8));
    }
  }

  onEvent(listener) {
    this.listeners.push(listener);
    for (const event of this.events) listener(event);
  }

  send(line) {
    this.lines.push(line);
    this.process.stdin.write(`${line}\n`);
  }

  async stop() {
    this.listeners = []; // the page may be closed already: what follows is not shown
    this.process.stdin.end();
    await this.exited;
  }
}

export function harnessRoutes(page) {
  return page.route('http://veld.test/**', async (route) => {
    const url = new URL(route.request().url());
    if (url.pathname === '/') {
      return route.fulfill({ contentType: 'text/html; charset=utf-8', body: HARNESS });
    }
    const name = path.basename(url.pathname);
    const file = path.join(assetsDir, name);
    if (!url.pathname.startsWith('/assets/') || !fs.existsSync(file)) {
      return route.fulfill({ status: 404, body: 'not found' });
    }
    const type = name.endsWith('.css') ? 'text/css' : 'text/javascript';
    return route.fulfill({ contentType: `${type}; charset=utf-8`, body: fs.readFileSync(file) });
  });
}

// Opens the harness page wired to `tool`. `delivered()` counts the events the page has shown;
// `settle()` waits until the page shows the tool's answer to every line sent so far.
export async function openHarness(page, tool) {
  await harnessRoutes(page);
  await page.exposeFunction('veldSendLine', (line) => tool.send(line));
  await page.goto('http://veld.test/');
  await page.waitForFunction(() => window.veldReady === true);
  let delivered = 0;
  let chain = Promise.resolve();
  tool.onEvent((event) => {
    chain = chain.then(() => page.evaluate((e) => window.veldShowEvent(e), event)).then(() => {
      delivered += 1;
    });
  });
  const settle = async () => {
    const deadline = Date.now() + 10_000;
    // Each line is answered by at least one event (the next state, a message box or the close).
    while (delivered < tool.lines.length + 1 || delivered < tool.events.length) {
      if (Date.now() > deadline) throw new Error(`no answer to: ${tool.lines.at(-1)}`);
      await new Promise((r) => setTimeout(r, 20));
    }
    await chain;
  };
  await settle();
  return { settle, delivered: () => delivered };
}

export function lastState(tool) {
  return tool.events.filter((e) => e.type === 'dialog').at(-1);
}

export function controlOf(state, id) {
  return state.controls.find((c) => c.id === id);
}
