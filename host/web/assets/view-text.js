// Texts drawn with the browser's fonts on the 2D layer above the geometry. Texts under a pixel
// and texts off screen are skipped; shapes' texts are placed per instance only when they can show.

const FONT = '"Noto Sans CJK JP", "Noto Sans JP", sans-serif';
const CAP_HEIGHT = 0.72; // of the em size: text height in a drawing is the height of capitals
const MIN_PIXELS = 1.5;
const ALIGN = ['left', 'center', 'right'];
// Where the baseline sits below the anchor, in text heights (y down): baseline, bottom, middle, top.
const BASELINE_SHIFT = [0, -0.3, 0.5, 1];

export class TextPainter {
  // layer: {context()} opening the 2D layer on the first text a frame shows.
  constructor(layer) {
    this.layer = layer;
    this.drawn = 0;
  }

  // view: {toScreen(x, y) -> [px, py], pixelsPerUnit, width, height (CSS pixels)}
  begin(view) {
    this.view = view;
    this.drawn = 0;
  }

  batch(texts, css) {
    for (const t of texts) this.text(t[0], t[1], t[2], t[3], t, css);
  }

  // Texts of a shape at each placement of a group (`placed`: its matrices, six floats each,
  // relative to the chunk origin).
  group(shape, group, placed, origin, colorOf) {
    if (shape.textHeight * group.scale * this.view.pixelsPerUnit < MIN_PIXELS) return;
    const floats = placed;
    for (const part of shape.parts) {
      if (part.x.length === 0) continue;
      const css = colorOf(part.i === 1 ? group.b : part.i === 2 ? group.z : part.c);
      for (let i = 0; i < floats.length; i += 6) {
        const a = floats[i], b = floats[i + 1], c = floats[i + 2], d = floats[i + 3];
        const e = floats[i + 4] + origin[0], f = floats[i + 5] + origin[1];
        const scale = Math.hypot(a, b), angle = Math.atan2(b, a);
        for (const t of part.x) {
          this.text(a * t[0] + c * t[1] + e, b * t[0] + d * t[1] + f, t[2] * scale, t[3] + angle, t, css);
        }
      }
    }
  }

  text(x, y, height, rotation, t, css) {
    const v = this.view;
    const px = height * v.pixelsPerUnit;
    if (px < MIN_PIXELS) return;
    const [sx, sy] = v.toScreen(x, y);
    const reach = px * (t[8].length + 1) * Math.max(1, t[4]);
    if (sx < -reach || sy < -reach || sx > v.width + reach || sy > v.height + reach) return;
    const ctx = this.layer.context();
    const cos = Math.cos(rotation), sin = Math.sin(rotation), wf = t[4] || 1;
    ctx.setTransform(cos * wf * v.ratio, -sin * wf * v.ratio, sin * v.ratio, cos * v.ratio,
      sx * v.ratio, sy * v.ratio);
    ctx.font = `${px / CAP_HEIGHT}px ${FONT}`;
    ctx.textAlign = ALIGN[t[5]] || 'left';
    ctx.textBaseline = 'alphabetic';
    ctx.fillStyle = css;
    const shift = BASELINE_SHIFT[t[6]] * px;
    ctx.fillText(t[8], 0, shift);
    if (t[7]) this.lines(ctx, t, px, shift, css);
    this.drawn++;
  }

  // Underline (flag 1) and overline (flag 2) across the text's width.
  lines(ctx, t, px, shift, css) {
    const width = ctx.measureText(t[8]).width;
    const start = t[5] === 1 ? -width / 2 : t[5] === 2 ? -width : 0;
    ctx.strokeStyle = css;
    ctx.lineWidth = Math.max(1, px / 15);
    ctx.beginPath();
    if (t[7] & 1) {
      ctx.moveTo(start, shift + px * 0.2);
      ctx.lineTo(start + width, shift + px * 0.2);
    }
    if (t[7] & 2) {
      ctx.moveTo(start, shift - px * 1.2);
      ctx.lineTo(start + width, shift - px * 1.2);
    }
    ctx.stroke();
  }
}
