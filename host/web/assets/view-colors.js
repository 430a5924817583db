// The ACI palette and the two themes: on the dark screen colours show as they are; on the light
// background white (7) turns black and colours too light to read are darkened (as the SVG export).
const NAMED = { 1: 0xff0000, 2: 0xffff00, 3: 0x00ff00, 4: 0x00ffff, 5: 0x0000ff, 6: 0xff00ff,
  7: 0xffffff, 8: 0x808080, 9: 0xc0c0c0 };
const TRUE_COLOR = 0x1000000;
const MAX_LUMINANCE_ON_LIGHT = 0.5;

export const THEMES = {
  dark: { background: [33 / 255, 40 / 255, 48 / 255], css: '#212830', readout: '#c8d0d8' },
  light: { background: [1, 1, 1], css: '#ffffff', readout: '#303030' },
};

function hueStep(index) {
  const VALUE = [1.0, 0.8, 0.6, 0.5, 0.3];
  const hue = (Math.floor(index / 10) - 1) * 15;
  const value = VALUE[Math.floor((index % 10) / 2)];
  const saturation = index % 2 === 0 ? 1 : 0.5;
  let rgb = 0;
  for (let k = 0; k < 3; k++) {
    const n = 5 - 2 * k;
    const t = (n + hue / 60) % 6;
    const f = Math.max(0, Math.min(t, 4 - t, 1));
    rgb = (rgb << 8) | Math.round(value * (1 - saturation * f) * 255);
  }
  return rgb;
}

export function aciRgb(index) {
  if (NAMED[index] !== undefined) return NAMED[index];
  if (index >= 10 && index <= 249) return hueStep(index);
  if (index >= 250 && index <= 255) {
    const g = [51, 91, 132, 173, 214, 255][index - 250];
    return (g << 16) | (g << 8) | g;
  }
  return 0xffffff;
}

function onLight(color) {
  if (color === 7) return 0;
  const rgb = color & TRUE_COLOR ? color & 0xffffff : aciRgb(color);
  const r = ((rgb >> 16) & 255) / 255, g = ((rgb >> 8) & 255) / 255, b = (rgb & 255) / 255;
  const luminance = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  if (luminance <= MAX_LUMINANCE_ON_LIGHT) return rgb;
  const k = MAX_LUMINANCE_ON_LIGHT / luminance;
  return (Math.round(r * k * 255) << 16) | (Math.round(g * k * 255) << 8) | Math.round(b * k * 255);
}

// 0xRRGGBB of a colour reference (ACI index, or TRUE_COLOR | rgb) on the theme's background.
export function themeRgb(color, theme) {
  if (theme === 'light') return onLight(color);
  return color & TRUE_COLOR ? color & 0xffffff : aciRgb(color);
}

export function rgbFloats(rgb) {
  return [((rgb >> 16) & 255) / 255, ((rgb >> 8) & 255) / 255, (rgb & 255) / 255, 1];
}

export function rgbCss(rgb) {
  return '#' + rgb.toString(16).padStart(6, '0');
}
