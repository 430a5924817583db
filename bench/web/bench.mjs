// Browser benchmark of the drawing view against the dxf-viewer package (a baseline of this
// benchmark only), side by side in one run of Debian's chromium:
//   time from navigation to the first complete picture (each page starts loading its drawing
//   by itself as it opens), pan frame times (each frame forced to finish; median and p95 of 60
//   steps at the extents) and the browser's peak memory (PSS of all
//   its processes, sampled; also its anonymous and shared-memory part alone, which other browsers
//   running on the machine meanwhile do not shift, and how many such processes were seen).
//   The same browser on an empty page gives the floor both viewers stand on, so that each page's
//   own share of the memory shows; the same browser drawing plain lines in a window-sized WebGL2
//   canvas gives the least a WebGL viewer can need.
//   cd bench/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci && node bench.mjs
//     [--build ../../build] [--drawings DIR] [--sizes 1000,10000] [--only veld|dxf-viewer]
//     [--loads N]  (each viewer opened N times, each in a fresh browser; the run with the median
//                   first picture is reported, with all N first pictures beside it)
// Needs the build's veld_scene_dump; makes the drawings with bench/ezdxf_bench.py on first use.
import { chromium } from 'playwright-core';
import { build } from 'esbuild';
import { execFileSync } from 'node:child_process';
import http from 'node:http';
import { mkdtempSync, readFileSync, readdirSync, existsSync, rmSync } from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { ASSETS, PAGE } from '../../tests/web/view-harness.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const args = Object.fromEntries(process.argv.slice(2).reduce((pairs, a, i, all) =>
  a.startsWith('--') ? [...pairs, [a.slice(2), all[i + 1]]] : pairs, []));
const buildDir = path.resolve(args.build || path.join(here, '../../build'));
const drawings = path.resolve(args.drawings || path.join(os.tmpdir(), 'veld-bench-web'));
const sizes = (args.sizes || '1000,10000').split(',').map(Number);
const viewers = (args.only || 'veld,dxf-viewer').split(',');
const LOADS = Number(args.loads || 1);
const PAN_STEPS = 60;
const PAN_PIXELS = 8;
const WIDTH = 1280, HEIGHT = 800;
const FLOOR_HOLD_MS = 2000;
const SETTLE_LIMIT_MS = 15000;
const WEBGL_FLOOR_LINES = 20000;
const FONT = '/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf';
const FLAGS = ['--no-sandbox', '--disable-gpu', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--enable-precise-memory-info'];

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(p * sorted.length))];
}

const kB = (rollup, field) => Number(new RegExp(`^${field}:\\s+(\\d+)`, 'm').exec(rollup)?.[1] || 0);

// Memory (kB) of every process whose command line names `marker`: proportional set size, and its
// anonymous and shared-memory part alone (what the browser allocated). PSS splits the pages of
// program files with every other chromium on the machine, so it drops while other browsers run;
// the allocated part does not. `others` counts the chromium processes of other browsers seen
// meanwhile.
function browserMemory(marker) {
  const memory = { pss: 0, anon: 0, others: 0 };
  for (const pid of readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    try {
      const command = readFileSync(`/proc/${pid}/cmdline`, 'utf8');
      if (!command.includes(marker)) {
        if (command.startsWith('/usr/lib/chromium/')) memory.others++;
        continue;
      }
      const rollup = readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8');
      memory.pss += kB(rollup, 'Pss');
      memory.anon += kB(rollup, 'Pss_Anon') + kB(rollup, 'Pss_Shmem');
    } catch {
      // the process ended meanwhile
    }
  }
  return memory;
}

// CPU time (clock ticks) used so far by every process whose command line names `marker`.
function browserTicks(marker) {
  let ticks = 0;
  for (const pid of readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    try {
      if (!readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes(marker)) continue;
      // utime and stime are the 14th and 15th fields, counted after the command name's ')'.
      const fields = readFileSync(`/proc/${pid}/stat`, 'utf8').split(')').pop().trim().split(' ');
      ticks += Number(fields[11]) + Number(fields[12]);
    } catch {
      // the process ended meanwhile
    }
  }
  return ticks;
}

// A freshly started Chromium goes on with work of its own for a second or more (it loads its
// omnibox popup, a page of some 200 modules, in another process). Measured loads wait until that
// is done, so that it does not compete with the page for this machine's cores.
async function settle(marker) {
  const limit = Date.now() + SETTLE_LIMIT_MS;
  let last = browserTicks(marker);
  let quiet = 0;
  while (quiet < 2 && Date.now() < limit) {
    await new Promise((resolve) => setTimeout(resolve, 250));
    const now = browserTicks(marker);
    quiet = now - last <= 2 ? quiet + 1 : 0;
    last = now;
  }
}

async function withBrowser(fn) {
  const profile = mkdtempSync(path.join(os.tmpdir(), 'veld-bench-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.VELD_CHROMIUM || '/usr/bin/chromium', headless: true, args: FLAGS,
    viewport: { width: WIDTH, height: HEIGHT },
  });
  const peak = { pss: 0, anon: 0, others: 0 };
  const sample = () => {
    const now = browserMemory(profile);
    for (const key of Object.keys(peak)) peak[key] = Math.max(peak[key], now[key]);
  };
  await settle(profile);
  const sampler = setInterval(sample, 100);
  const memory = () => ({ peakMemoryMB: Math.round(peak.pss / 1024),
    peakAnonMemoryMB: Math.round(peak.anon / 1024), otherChromiumProcesses: peak.others });
  try {
    const page = context.pages()[0] || (await context.newPage());
    const result = await fn(page);
    sample();
    return { ...result, ...memory() };
  } catch (error) {
    return { error: String(error.message || error).split('\n')[0], ...memory() };
  } finally {
    clearInterval(sampler);
    await context.close().catch(() => {});
    rmSync(profile, { recursive: true, force: true });
  }
}

async function panFrames(page, step) {
  const times = [];
  for (let i = 0; i < PAN_STEPS; i++) {
    const dx = i < PAN_STEPS / 2 ? PAN_PIXELS : -PAN_PIXELS;
    times.push(await page.evaluate(step, dx));
  }
  return { panMedianMs: percentile(times, 0.5), panP95Ms: percentile(times, 0.95) };
}

async function benchVeld(dxf) {
  const scene = path.join(drawings, path.basename(dxf) + '.scene');
  const dump = JSON.parse(execFileSync(path.join(buildDir, 'tests', 'veld_scene_dump'), [dxf, scene]));
  const body = readFileSync(scene);
  // Served over loopback as dxf-viewer's page is (through page.route each module would pay a
  // round trip through this process); the page loads the drawing by itself as it opens.
  const files = { '/': ['text/html', PAGE], '/bodies/drawing.scene': ['application/octet-stream', body] };
  for (const name of readdirSync(ASSETS)) {
    const type = name.endsWith('.css') ? 'text/css' : name.endsWith('.html') ? 'text/html' : 'text/javascript';
    files[`/assets/${name}`] = [type, readFileSync(path.join(ASSETS, name))];
  }
  return withServer(files, (origin) => withBrowser(async (page) => {
    await page.goto(`${origin}/?theme=dark&scene=drawing.scene`);
    const first = await page.evaluate(() => window.firstPicture);
    const renderer = await page.evaluate(() => window.view.rendererName());
    const stats = await page.evaluate(() => window.view.stats);
    const pan = await panFrames(page, (dx) => {
      const start = performance.now();
      window.view.panBy(dx, 0);
      window.view.drawNow();
      // Reading a pixel back makes sure the frame is really done on both layers.
      const gl = window.view.renderer.gl;
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
      window.view.textCanvas.getContext('2d').getImageData(0, 0, 1, 1);
      return performance.now() - start;
    });
    return { firstPictureMs: Math.round(first), displayListMs: dump.build_and_serialize_ms,
      sceneBytes: body.length, drawCalls: stats.drawCalls, renderer, ...pan };
  }));
}

async function bundleDxfViewer() {
  const out = path.join(drawings, 'dxf-viewer.bundle.js');
  if (!existsSync(out)) {
    await build({ stdin: { contents: "export { DxfViewer } from 'dxf-viewer';", resolveDir: here },
      bundle: true, format: 'esm', outfile: out, logLevel: 'warning' });
  }
  return readFileSync(out);
}

// Serves `files` ({path: [type, body]}) on a loopback port while `fn(origin)` runs.
async function withServer(files, fn) {
  const server = http.createServer((req, res) => {
    const [type, body] = files[new URL(req.url, 'http://x').pathname] || ['text/plain', ''];
    res.writeHead(body ? 200 : 404, { 'Content-Type': type });
    res.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    return await fn(`http://127.0.0.1:${server.address().port}`);
  } finally {
    server.close();
  }
}

// The floor: the same browser, flags and window on an empty page, held as long as it takes the
// memory to settle.
async function benchFloor() {
  const files = { '/': ['text/html', '<!doctype html><html><body style="margin:0"></body></html>'] };
  return withServer(files, (origin) => withBrowser(async (page) => {
    await page.goto(`${origin}/`);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
    await page.waitForTimeout(FLOOR_HOLD_MS);
    return {};
  }));
}

// The WebGL floor: the same browser drawing WEBGL_FLOOR_LINES lines once in a window-sized
// WebGL2 canvas and reading a pixel back, the least any WebGL viewer of a drawing pays with this
// (software) GPU.
async function benchWebglFloor() {
  const page = `<!doctype html><html><body style="margin:0"><canvas id="c" width="${WIDTH}" height="${HEIGHT}"></canvas>
<script>
window.run = () => {
  const gl = document.getElementById('c').getContext('webgl2', { antialias: false, alpha: false, depth: false });
  const shader = (type, source) => {
    const s = gl.createShader(type);
    gl.shaderSource(s, source);
    gl.compileShader(s);
    return s;
  };
  const program = gl.createProgram();
  gl.attachShader(program, shader(gl.VERTEX_SHADER, '#version 300 es\\nin vec2 a; void main() { gl_Position = vec4(a, 0.0, 1.0); }'));
  gl.attachShader(program, shader(gl.FRAGMENT_SHADER, '#version 300 es\\nprecision mediump float; out vec4 o; void main() { o = vec4(1.0); }'));
  gl.linkProgram(program);
  gl.useProgram(program);
  const ends = new Float32Array(${WEBGL_FLOOR_LINES} * 4);
  let seed = 1;
  for (let i = 0; i < ends.length; i++) ends[i] = ((seed = (seed * 48271) % 2147483647) / 2147483647) * 2 - 1;
  gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
  gl.bufferData(gl.ARRAY_BUFFER, ends, gl.STATIC_DRAW);
  gl.enableVertexAttribArray(0);
  gl.vertexAttribPointer(0, 2, gl.FLOAT, false, 0, 0);
  gl.clear(gl.COLOR_BUFFER_BIT);
  gl.drawArrays(gl.LINES, 0, ends.length / 2);
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
};
</script></body></html>`;
  return withServer({ '/': ['text/html', page] }, (origin) => withBrowser(async (p) => {
    await p.goto(`${origin}/`);
    await p.evaluate(() => window.run());
    await p.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
    await p.waitForTimeout(FLOOR_HOLD_MS);
    return {};
  }));
}

async function benchDxfViewer(dxf, bundle) {
  const page = `<!doctype html><html><body style="margin:0"><div id="v" style="width:${WIDTH}px;height:${HEIGHT}px"></div>
<script type="module">
import { DxfViewer } from '/dxf-viewer.js';
window.run = async () => {
  const viewer = new DxfViewer(document.getElementById('v'), { autoResize: false,
    canvasWidth: ${WIDTH}, canvasHeight: ${HEIGHT}, antialias: false });
  await viewer.Load({ url: '/drawing.dxf', fonts: ['/font.ttf'], workerFactory: null });
  // As for veld's page: a pixel read back waits until the GPU has really drawn the picture.
  const gl = viewer.GetRenderer().getContext();
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  window.viewer = viewer;
  return performance.now();
};
window.firstPicture = window.run();
</script></body></html>`;
  const files = { '/': ['text/html', page], '/dxf-viewer.js': ['text/javascript', bundle],
    '/drawing.dxf': ['application/dxf', readFileSync(dxf)], '/font.ttf': ['font/ttf', readFileSync(FONT)] };
  // A loopback server: a DXF of hundreds of megabytes is too big to hand over through page.route.
  return withServer(files, (origin) => withBrowser(async (p) => {
    await p.goto(`${origin}/`);
    const first = await p.evaluate(() => window.firstPicture);
    const renderer = await p.evaluate(() => {
      const gl = window.viewer.GetRenderer().getContext();
      const info = gl.getExtension('WEBGL_debug_renderer_info');
      return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
    });
    const pan = await panFrames(p, (dx) => {
      const v = window.viewer, cam = v.GetCamera();
      const width = (cam.right - cam.left) / cam.zoom;
      const start = performance.now();
      v.SetView({ x: cam.position.x - (dx * width) / v.canvasWidth, y: cam.position.y }, width);
      v.Render();
      const gl = v.GetRenderer().getContext();
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
      return performance.now() - start;
    });
    return { firstPictureMs: Math.round(first), renderer, ...pan };
  }));
}

// Runs one viewer's measurement LOADS times and keeps the run of the median first picture.
async function repeated(measure) {
  const runs = [];
  for (let i = 0; i < LOADS; i++) runs.push(await measure());
  const done = runs.filter((run) => !run.error).sort((a, b) => a.firstPictureMs - b.firstPictureMs);
  if (done.length === 0) return runs[0];
  const median = done[(done.length - 1) >> 1];
  return LOADS > 1 ? { ...median, firstPictureRunsMs: done.map((run) => run.firstPictureMs) } : median;
}

const results = [];
execFileSync('/usr/bin/python3', [path.join(here, 'make_drawings.py'), drawings, ...sizes.map(String)]);
const bundle = viewers.includes('dxf-viewer') ? await bundleDxfViewer() : null;
for (const n of sizes) {
  const dxf = path.join(drawings, `bench_${n}.dxf`);
  const row = { foundations: n, floor: await benchFloor(), webglFloor: await benchWebglFloor() };
  if (viewers.includes('veld')) row.veld = await repeated(() => benchVeld(dxf));
  if (bundle) row.dxfViewer = await repeated(() => benchDxfViewer(dxf, bundle));
  if (row.veld && row.dxfViewer && !row.veld.error && !row.dxfViewer.error) {
    row.ratios = {
      firstPictureSooner: +(row.dxfViewer.firstPictureMs / row.veld.firstPictureMs).toFixed(1),
      firstPictureSoonerWithDisplayList: +(row.dxfViewer.firstPictureMs /
        (row.veld.firstPictureMs + row.veld.displayListMs)).toFixed(1),
      panMedianShorter: +(row.dxfViewer.panMedianMs / row.veld.panMedianMs).toFixed(1),
      panP95Shorter: +(row.dxfViewer.panP95Ms / row.veld.panP95Ms).toFixed(1),
      memoryShare: +(row.veld.peakMemoryMB / row.dxfViewer.peakMemoryMB).toFixed(2),
    };
    const share = (field, floor = 0) => +((row.veld[field] - floor) / (row.dxfViewer[field] - floor)).toFixed(2);
    row.ratios.anonMemoryShare = share('peakAnonMemoryMB');
    if (!row.floor.error) {
      row.ratios.memoryShareAboveFloor = share('peakMemoryMB', row.floor.peakMemoryMB);
      row.ratios.anonMemoryShareAboveFloor = share('peakAnonMemoryMB', row.floor.peakAnonMemoryMB);
    }
    if (!row.webglFloor.error) {
      row.ratios.webglFloorShare = +(row.webglFloor.peakMemoryMB / row.dxfViewer.peakMemoryMB).toFixed(2);
      row.ratios.webglFloorAnonShare = +(row.webglFloor.peakAnonMemoryMB /
        row.dxfViewer.peakAnonMemoryMB).toFixed(2);
    }
  }
  results.push(row);
  console.log(JSON.stringify(row));
}
const [small, large] = [results.find((r) => r.foundations === 1000), results.find((r) => r.foundations === 10000)];
if (small?.veld && large?.veld) {
  console.log(JSON.stringify({ veldPanMedian10000Over1000: +(large.veld.panMedianMs / small.veld.panMedianMs).toFixed(1) }));
}
