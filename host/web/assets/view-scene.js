// The scene body the host sends: "VDL1", a little-endian length, a JSON index, padding, then one
// Float32 array the index points into with [offset, count] pairs (in floats).

export function parseScene(arrayBuffer) {
  const bytes = new Uint8Array(arrayBuffer);
  const magic = String.fromCharCode(bytes[0], bytes[1], bytes[2], bytes[3]);
  if (magic !== 'VDL1') throw new Error('not a scene body');
  const length = new DataView(arrayBuffer).getUint32(4, true);
  const index = JSON.parse(new TextDecoder().decode(bytes.subarray(8, 8 + length)));
  const start = 8 + length + ((4 - ((8 + length) % 4)) % 4);
  const floats = new Float32Array(arrayBuffer, start, (arrayBuffer.byteLength - start) >> 2);
  return { index, floats };
}

// Largest scale of a group's placements and the tallest text of a shape: what decides, at a
// zoom, whether the group or its texts are above a pixel.
export function groupScale(floats, [offset, count]) {
  let max = 0;
  for (let i = offset; i < offset + count; i += 6) {
    const s = Math.hypot(floats[i], floats[i + 1]);
    if (s > max) max = s;
  }
  return max;
}

export function tallestText(shape) {
  let h = 0;
  for (const part of shape.parts) for (const t of part.x) h = Math.max(h, t[2]);
  return h;
}
