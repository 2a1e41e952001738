// Shared by the browser tests: where things are, and pictures compared
// pixel for pixel with the committed PNGs.
'use strict';

const fs = require('fs');
const path = require('path');
const {PNG} = require('pngjs');

const TOP = path.resolve(__dirname, '../..');
const SITE = process.env.QX70_WEB_SITE || path.join(TOP, 'build-web/site');

// The site's qx70.js and its module, or a clear word that make web is missing.
function siteFile(name) {
  const file = path.join(SITE, name);
  if (!fs.existsSync(file)) throw new Error(`${file} is missing: make web builds the site`);
  return file;
}

function readPng(file) {
  return PNG.sync.read(fs.readFileSync(file));
}

function hex(data, i) {
  return '#' + [0, 1, 2, 3].map((k) => data[i + k].toString(16).padStart(2, '0')).join('');
}

// Empty when the RGBA pixels are the PNG's, else where and how they differ.
function pictureDifference(file, width, height, pixels) {
  const ref = readPng(file);
  if (ref.width !== width || ref.height !== height) {
    return `${file} is ${ref.width} x ${ref.height}, the picture ${width} x ${height}`;
  }
  let count = 0;
  let first = -1;
  for (let i = 0; i < ref.data.length; i += 4) {
    for (let k = 0; k < 4; ++k) {
      if (ref.data[i + k] === pixels[i + k]) continue;
      if (count++ === 0) first = i;
      break;
    }
  }
  if (count === 0) return '';
  const x = (first / 4) % width;
  const y = Math.floor(first / 4 / width);
  return `differs from ${file} in ${count} pixels; the first at (${x}, ${y}): ` +
      `reference ${hex(ref.data, first)}, taken ${hex(pixels, first)}`;
}

module.exports = {TOP, SITE, siteFile, readPng, pictureDifference};
