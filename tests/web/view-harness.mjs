// Serves the view's modules, a bare page with the view container and a scene body through
// page.route, so that the view is tested (and benchmarked) without the server.
import { readFileSync } from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
export const ASSETS = path.resolve(here, '../../host/web/assets');
export const ORIGIN = 'http://veld.test';

export const PAGE = `<!doctype html><html><head><meta charset="utf-8">
<style>html,body{margin:0;height:100%} #view{position:absolute;left:0;top:0;right:0;bottom:0}</style>
${['view', 'view-scene', 'view-gl', 'view-text', 'view-layer', 'view-colors']
    .map((name) => `<link rel="modulepreload" href="./assets/${name}.js">`).join('')}
</head><body><div id="view" role="application" aria-label="Drawing"></div>
<script type="module">
import { DrawingView } from './assets/view.js';
window.fetchBody = async (name) => (await fetch('/bodies/' + name)).arrayBuffer();
// ?scene=NAME: the page asks for it before it builds the view, as veld's page asks for its
// drawing, and keeps when the picture was complete (a pixel read back waits for the GPU).
const scene = new URLSearchParams(location.search).get('scene');
const body = scene ? window.fetchBody(scene) : null;
const theme = new URLSearchParams(location.search).get('theme') || 'dark';
const view = new DrawingView(document.getElementById('view'), { theme });
window.view = view;
window.loadScene = async (name) => { await view.load(await window.fetchBody(name)); await view.ready; };
if (scene) {
  window.firstPicture = body.then((bytes) => view.load(bytes)).then(() => view.ready).then(() => {
    const gl = view.renderer.gl;
    gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
    return performance.now();
  });
}
</script></body></html>`;

// bodies: {name: Buffer} served at /bodies/<name>.
export async function openHarness(page, bodies, { theme = 'dark' } = {}) {
  await page.route(`${ORIGIN}/**`, async (route) => {
    const url = new URL(route.request().url());
    if (url.pathname === '/') {
      return route.fulfill({ contentType: 'text/html', body: PAGE });
    }
    if (url.pathname.startsWith('/assets/')) {
      const file = path.join(ASSETS, path.basename(url.pathname));
      return route.fulfill({ contentType: 'text/javascript', body: readFileSync(file) });
    }
    const body = bodies[path.basename(url.pathname)];
    if (body) return route.fulfill({ contentType: 'application/octet-stream', body });
    return route.fulfill({ status: 404, body: '' });
  });
  await page.goto(`${ORIGIN}/?theme=${theme}`);
  await page.waitForFunction(() => window.view !== undefined);
}

// Counts of pixels of the view (geometry and text layers together) near each of the given
// colours [r, g, b] within `tolerance` per channel, in the client rectangle `box` (default all).
export async function countColors(page, colors, { tolerance = 40, box = null } = {}) {
  return page.evaluate(({ colors, tolerance, box }) => {
    const v = window.view;
    const w = v.glCanvas.width, h = v.glCanvas.height;
    const c = document.createElement('canvas');
    c.width = w;
    c.height = h;
    const ctx = c.getContext('2d');
    ctx.drawImage(v.glCanvas, 0, 0);
    // The text layer has no bitmap while it shows nothing.
    if (v.textCanvas.width > 0) ctx.drawImage(v.textCanvas, 0, 0);
    const [x0, y0, bw, bh] = box || [0, 0, w, h];
    const data = ctx.getImageData(x0, y0, bw, bh).data;
    const counts = colors.map(() => 0);
    for (let i = 0; i < data.length; i += 4) {
      colors.forEach(([r, g, b], k) => {
        if (Math.abs(data[i] - r) <= tolerance && Math.abs(data[i + 1] - g) <= tolerance &&
            Math.abs(data[i + 2] - b) <= tolerance) counts[k]++;
      });
    }
    return counts;
  }, { colors, tolerance, box });
}
