// The drawing view: model space from the host's scene body, drawn with WebGL2 under a 2D layer
// for texts and the page's overlay. Wheel zooms about the cursor, the middle button (and the
// left one while leftDragPans) pans, a middle double-click zooms to the extents.
import { parseScene, groupScale, tallestText } from './view-scene.js';
import { GlRenderer } from './view-gl.js';
import { TextPainter } from './view-text.js';
import { TextLayer } from './view-layer.js';
import { THEMES, themeRgb, rgbFloats, rgbCss } from './view-colors.js';

const WHEEL_STEP = 1.2;
const DRAG_THRESHOLD = 3; // pixels before a left press becomes a pan (a click stays a pick)
const DOUBLE_CLICK_MS = 400;
const EXTENTS_MARGIN = 0.04;

export class DrawingView extends EventTarget {
  constructor(containerElement, { theme = 'dark' } = {}) {
    super();
    this.container = containerElement;
    this.theme = THEMES[theme] ? theme : 'dark';
    this.chunks = new Map();
    this.order = [];
    this.shapes = new Map();
    this.extents = null;
    this.center = [0, 0];
    this.scale = 1; // CSS pixels per drawing unit
    this.overlay = null;
    this.leftPans = true;
    this.colorCache = new Map();
    this.stats = { drawCalls: 0, texts: 0 };
    this.buildDom();
    this.renderer = new GlRenderer(this.glCanvas);
    this.textLayer = new TextLayer(this.textCanvas);
    this.textPainter = new TextPainter(this.textLayer);
    this.readyPromise = new Promise((resolve) => (this.resolveReady = resolve));
    this.listen();
    this.resize();
  }

  get ready() {
    return this.readyPromise;
  }

  set leftDragPans(on) {
    this.leftPans = Boolean(on);
  }

  get leftDragPans() {
    return this.leftPans;
  }

  rendererName() {
    return this.renderer.renderer();
  }

  async load(arrayBuffer) {
    for (const chunk of this.chunks.values()) this.renderer.release(chunk.gpu);
    for (const shape of this.shapes.values()) this.renderer.release(shape.gpu);
    this.chunks.clear();
    this.shapes.clear();
    this.take(arrayBuffer);
    if (!this.loaded) {
      this.loaded = true;
      this.resize();
    }
    this.zoomExtents();
  }

  async apply(arrayBuffer) {
    this.take(arrayBuffer);
    this.requestRedraw();
  }

  take(arrayBuffer) {
    const { index, floats } = parseScene(arrayBuffer);
    if (index.full) {
      for (const chunk of this.chunks.values()) this.renderer.release(chunk.gpu);
      this.chunks.clear();
    }
    const gpu = this.renderer.upload(floats);
    for (const [key, shape] of Object.entries(index.shapes)) {
      if (this.shapes.has(key)) continue;
      const [x0, y0, x1, y1] = shape.bbox;
      shape.size = Math.max(x1 - x0, y1 - y0);
      shape.textHeight = tallestText(shape);
      shape.gpu = gpu;
      gpu.users++;
      this.shapes.set(key, shape);
    }
    for (const id of index.removed) this.dropChunk(id);
    for (const chunk of index.chunks) {
      this.dropChunk(chunk.id);
      chunk.gpu = gpu;
      for (const group of chunk.inst) {
        group.scale = groupScale(floats, group.m);
        // Only the placements of shapes with texts are needed again (the texts are drawn on the
        // 2D layer); everything else lives in the GPU buffer, so the body itself is let go.
        if (this.shapes.get(group.s)?.textHeight > 0) {
          group.placed = floats.slice(group.m[0], group.m[0] + group.m[1]);
        }
      }
      gpu.users++;
      this.chunks.set(chunk.id, chunk);
    }
    if (gpu.users === 0) this.renderer.release(gpu);
    this.extents = index.extents || null;
    // Drawn in id order, so that a drawing patched by deltas overlaps exactly as a fresh load.
    this.order = [...this.chunks.keys()].sort().map((id) => this.chunks.get(id));
  }

  dropChunk(id) {
    const old = this.chunks.get(id);
    if (old) {
      this.renderer.release(old.gpu);
      this.chunks.delete(id);
    }
  }

  setTheme(name) {
    if (!THEMES[name]) return;
    this.theme = name;
    this.colorCache.clear();
    this.container.style.background = THEMES[name].css;
    this.readout.style.color = THEMES[name].readout;
    this.requestRedraw();
  }

  zoomExtents() {
    const { width, height } = this.size;
    if (this.extents) {
      const [x0, y0, x1, y1] = this.extents;
      const w = Math.max(x1 - x0, 1e-9), h = Math.max(y1 - y0, 1e-9);
      this.center = [(x0 + x1) / 2, (y0 + y1) / 2];
      this.scale = Math.min(width / w, height / h) * (1 - 2 * EXTENTS_MARGIN) || 1;
    }
    this.changed();
  }

  toWorld(clientX, clientY) {
    const r = this.container.getBoundingClientRect();
    return {
      x: this.center[0] + (clientX - r.left - this.size.width / 2) / this.scale,
      y: this.center[1] - (clientY - r.top - this.size.height / 2) / this.scale,
    };
  }

  toClient(x, y) {
    const r = this.container.getBoundingClientRect();
    return {
      x: r.left + this.size.width / 2 + (x - this.center[0]) * this.scale,
      y: r.top + this.size.height / 2 - (y - this.center[1]) * this.scale,
    };
  }

  pixelSize() {
    return 1 / this.scale;
  }

  // drawFn(ctx, view) draws in CSS pixels on the 2D layer; shows() tells whether it has anything
  // to draw, so that the layer keeps no bitmap while it has not.
  setOverlay(drawFn, shows = () => true) {
    this.overlay = drawFn;
    this.overlayShows = shows;
    this.requestRedraw();
  }

  requestRedraw() {
    if (this.pending) return;
    this.pending = requestAnimationFrame(() => {
      this.pending = 0;
      this.drawNow();
    });
  }

  // Draws the frame at once and hands it to the GPU, which may still be drawing it when this
  // returns (browsers take finish() as a flush); reading a pixel back waits for it. Returns
  // milliseconds.
  drawNow() {
    const start = performance.now();
    this.drawGeometry();
    this.drawTexts();
    this.renderer.finish();
    const elapsed = performance.now() - start;
    if (this.loaded) this.resolveReady();
    return elapsed;
  }

  // Pans by a number of CSS pixels (the benchmark's steps use it too).
  panBy(dx, dy) {
    this.center[0] -= dx / this.scale;
    this.center[1] += dy / this.scale;
    this.changed();
  }

  zoomAt(clientX, clientY, factor) {
    const before = this.toWorld(clientX, clientY);
    this.scale *= factor;
    const after = this.toWorld(clientX, clientY);
    this.center[0] += before.x - after.x;
    this.center[1] += before.y - after.y;
    this.changed();
  }

  // ---- drawing

  visibleChunks() {
    const { width, height } = this.size;
    const halfW = width / 2 / this.scale, halfH = height / 2 / this.scale;
    const [cx, cy] = this.center;
    const list = [];
    for (const chunk of this.order) {
      const [x0, y0, x1, y1] = chunk.bbox;
      if (x1 < cx - halfW || x0 > cx + halfW || y1 < cy - halfH || y0 > cy + halfH) continue;
      list.push({ chunk, offset: [chunk.origin[0] - cx, chunk.origin[1] - cy] });
    }
    return list;
  }

  colorOf(ref) {
    let rgb = this.colorCache.get(ref);
    if (rgb === undefined) {
      rgb = themeRgb(ref, this.theme);
      this.colorCache.set(ref, rgb);
    }
    return rgb;
  }

  drawGeometry() {
    const { width, height } = this.size;
    const ratio = this.ratio;
    this.visible = this.visibleChunks();
    this.renderer.draw({
      width: Math.round(width * ratio),
      height: Math.round(height * ratio),
      background: THEMES[this.theme].background,
      chunks: this.visible,
      scale: [(2 * this.scale) / width, (2 * this.scale) / height],
      shapes: this.shapes,
      pixelsPerUnit: this.scale,
      colorOf: (ref) => rgbFloats(this.colorOf(ref)),
    });
    this.stats.drawCalls = this.renderer.drawCalls;
  }

  drawTexts() {
    const layer = this.textLayer;
    const { width, height } = this.size;
    layer.begin();
    const [cx, cy] = this.center;
    const s = this.scale;
    const painter = this.textPainter;
    painter.begin({
      pixelsPerUnit: s, width, height, ratio: this.ratio,
      toScreen: (x, y) => [width / 2 + (x - cx) * s, height / 2 - (y - cy) * s],
    });
    const css = (ref) => rgbCss(this.colorOf(ref));
    for (const { chunk } of this.visible) {
      for (const batch of chunk.batches) if (batch.x.length) painter.batch(batch.x, css(batch.c));
      for (const group of chunk.inst) {
        const shape = this.shapes.get(group.s);
        if (shape && group.placed) painter.group(shape, group, group.placed, chunk.origin, css);
      }
    }
    this.stats.texts = painter.drawn;
    if (this.overlay && this.overlayShows()) {
      const ctx = layer.context();
      ctx.setTransform(this.ratio, 0, 0, this.ratio, 0, 0);
      ctx.save();
      this.overlay(ctx, this);
      ctx.restore();
    }
    layer.end();
  }

  // ---- page plumbing

  buildDom() {
    const c = this.container;
    if (getComputedStyle(c).position === 'static') c.style.position = 'relative';
    c.style.overflow = 'hidden';
    c.style.background = THEMES[this.theme].css;
    c.style.touchAction = 'none';
    const layer = (tag) => {
      const el = document.createElement(tag);
      el.style.cssText = 'position:absolute;left:0;top:0;width:100%;height:100%;pointer-events:none';
      c.appendChild(el);
      return el;
    };
    this.glCanvas = layer('canvas');
    this.textCanvas = layer('canvas');
    this.readout = document.createElement('div');
    this.readout.className = 'view-coordinates';
    this.readout.setAttribute('aria-live', 'off');
    this.readout.style.cssText = 'position:absolute;left:6px;bottom:4px;font:12px monospace;' +
      `pointer-events:none;color:${THEMES[this.theme].readout}`;
    c.appendChild(this.readout);
  }

  resize() {
    const r = this.container.getBoundingClientRect();
    this.size = { width: Math.max(1, r.width), height: Math.max(1, r.height) };
    this.ratio = window.devicePixelRatio || 1;
    const width = Math.round(this.size.width * this.ratio);
    const height = Math.round(this.size.height * this.ratio);
    // Until there is a drawing the canvas keeps no drawing buffer: the page's first frames then
    // cost the software GPU no window-sized read-back while the drawing is still on its way.
    this.glCanvas.width = this.loaded ? width : 0;
    this.glCanvas.height = this.loaded ? height : 0;
    this.textLayer.resize(width, height);
    this.requestRedraw();
  }

  changed() {
    this.requestRedraw();
    this.dispatchEvent(new Event('viewchange'));
  }

  showCoordinates(e) {
    const p = this.toWorld(e.clientX, e.clientY);
    const digits = this.scale > 10 ? 3 : this.scale > 0.1 ? 1 : 0;
    this.readout.textContent = `${p.x.toFixed(digits)}, ${p.y.toFixed(digits)}`;
  }

  listen() {
    const c = this.container;
    new ResizeObserver(() => this.resize()).observe(c);
    c.addEventListener('wheel', (e) => {
      e.preventDefault();
      this.zoomAt(e.clientX, e.clientY, Math.pow(WHEEL_STEP, -Math.sign(e.deltaY) *
        Math.min(3, Math.abs(e.deltaY) / 100 || 1)));
    }, { passive: false });
    c.addEventListener('pointerdown', (e) => this.press(e));
    c.addEventListener('pointermove', (e) => {
      this.showCoordinates(e);
      this.drag(e);
    });
    const end = (e) => {
      if (this.dragging && this.dragging.pointerId === e.pointerId) this.dragging = null;
    };
    c.addEventListener('pointerup', end);
    c.addEventListener('pointercancel', end);
    c.addEventListener('auxclick', (e) => e.button === 1 && e.preventDefault());
  }

  press(e) {
    if (e.button === 1) {
      e.preventDefault();
      const now = performance.now();
      if (now - (this.lastMiddle || -1e9) < DOUBLE_CLICK_MS) {
        this.lastMiddle = 0;
        this.zoomExtents();
        return;
      }
      this.lastMiddle = now;
    }
    if (e.button === 1 || (e.button === 0 && this.leftPans)) {
      this.dragging = { pointerId: e.pointerId, x: e.clientX, y: e.clientY,
        moving: e.button === 1 };
      this.container.setPointerCapture?.(e.pointerId);
    }
  }

  drag(e) {
    const d = this.dragging;
    if (!d || d.pointerId !== e.pointerId) return;
    const dx = e.clientX - d.x, dy = e.clientY - d.y;
    if (!d.moving && Math.hypot(dx, dy) < DRAG_THRESHOLD) return;
    d.moving = true;
    d.x = e.clientX;
    d.y = e.clientY;
    this.panBy(dx, dy);
  }
}
