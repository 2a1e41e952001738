// The WebAssembly module under Node, through the site's own qx70.js: its
// script runner gives exactly the golden and gallery pictures, the page's
// API refuses bad input without touching the unit, and a session's
// recording replays to the picture the session showed.
'use strict';

const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const test = require('node:test');
const {TOP, siteFile, pictureDifference} = require('./pictures.js');

const {loadUnit, makeApi} = require(siteFile('qx70.js'));

async function unit() {
  return loadUnit(fs.readFileSync(siteFile('qx70.wasm')));
}

// Runs a script file; every picture is compared with the file of its path
// under the script's folder.
function checkScript(u, file) {
  const result = u.runScript(fs.readFileSync(file, 'utf8'), path.basename(file), 0, 0);
  assert.deepStrictEqual(result.messages, []);
  assert.strictEqual(result.status, 0);
  assert.ok(result.pictures.length > 0, 'the script takes pictures');
  for (const p of result.pictures) {
    const problem = pictureDifference(path.join(path.dirname(file), p.path), p.width, p.height,
        p.pixels);
    assert.strictEqual(problem, '', `${path.basename(file)}: ${p.path} ${problem}`);
  }
}

test('every golden script gives its golden picture', async (t) => {
  const u = await unit();
  const dir = path.join(TOP, 'tests/golden');
  const scripts = fs.readdirSync(dir).filter((f) => f.endsWith('.qx70')).sort();
  assert.ok(scripts.length > 40, 'the golden scripts are found');
  for (const s of scripts) await t.test(s, () => checkScript(u, path.join(dir, s)));
});

test('the gallery script gives the README pictures', async () => {
  checkScript(await unit(), path.join(TOP, 'docs/gallery.qx70'));
});

// A unit started paused on a known clock, with the page's API over it.
async function pausedApi() {
  const u = await unit();
  u.start(0, '2026-12-08 14:25:00', true);
  return {u, api: makeApi(u, {update() {}, tickLimit: 30000})};
}

test('bad input is refused with its name and leaves the unit as it was', async () => {
  const {api} = await pausedApi();
  api.step(125);
  const screen = api.screen();
  const refused = [
    [() => api.press('up'), /unknown button 'up'/],
    [() => api.release(7), /unknown button '7'/],
    [() => api.set('warpFactor', 9), /unknown device field 'warpFactor'/],
    [() => api.set('busVoltage 5\nslot', 1), /unknown field/],
    [() => api.set('busVoltage', 61), /busVoltage takes a number from 0 to 60, not '61'/],
    [() => api.set('busVoltage', NaN), /bad value 'NaN' for busVoltage/],
    [() => api.set('gLimitInput[3]', 1), /the index of gLimitInput runs 0 to 2/],
    [() => api.slot(100, 1), /slot must be a whole number from 0 to 99/],
    [() => api.clock('24:00:00'), /bad time '24:00:00'/],
    [() => api.clock('12:00:00 # x'), /bad time/],
    [() => api.step(-1), /ticks must be a whole number/],
    [() => api.step(1.5), /ticks must be a whole number/],
  ];
  for (const [call, message] of refused) assert.throws(call, message);
  assert.strictEqual(api.ticks(), 125);
  assert.deepStrictEqual(api.screen(), screen);
  assert.strictEqual(api.page(), 1);
});

test('a script with errors names every line and runs nothing', async () => {
  const {api} = await pausedApi();
  api.step(125);
  const r = await api.runScript('wait 1\nfly away\nclick view\nset busVoltage 99\n', 'bad.qx70');
  assert.strictEqual(r.status, 2);
  assert.deepStrictEqual(r.messages, [
    "bad.qx70:2: unknown command 'fly'",
    "bad.qx70:4: set: busVoltage takes a number from 0 to 60, not '99'",
  ]);
  const refused = [
    ['wait 1\nwait 400s\n', /^long\.qx70:1: the run would pass the page's limit of 30000 ticks/],
    ['repeat 100\nwait 301\nend\n', /^long\.qx70:1: the run would pass/],
    ['repeat 100000\njournal clear\njournal clear\njournal clear\nend\n', /^long\.qx70:1: the run would pass/],
    ['wait 1\nexpect screen data.png\n', /^long\.qx70:2: expect screen: the page has no reference/],
    ['feed turn.feed\n', /^long\.qx70:1: feed: the page reads no capture files/],
  ];
  for (const [text, message] of refused) {
    const r = await api.runScript(text, 'long.qx70');
    assert.strictEqual(r.status, 2, text);
    assert.match(r.messages[0], message);
  }
  assert.strictEqual(api.ticks(), 125);
  assert.strictEqual(api.page(), 1);
});

test('a failed expectation reports its line and the unit goes on from there', async () => {
  const {api} = await pausedApi();
  const r = await api.runScript('wait 1.25s\nexpect page data\nexpect page gmeter\nwait 5s\n');
  assert.strictEqual(r.status, 1);
  assert.deepStrictEqual(r.messages, ['script:3: expected page gmeter, found data']);
  assert.strictEqual(api.ticks(), 125, 'the lines before the failed one ran, none after it');
  api.step(1);
  assert.strictEqual(api.ticks(), 126);
});

// Presses (one released before any tick saw it), set, slot and clock lines
// and a chord: replaying the recording from power-on ends on the screen the
// session shows, with or without a script run on the page before them.
async function checkReplay(script) {
  const {u, api} = await pausedApi();
  api.step(130);
  if (script) await api.runScript(script);
  api.press('view');
  api.release('view');
  api.step(40);
  api.set('busVoltage', 13.7);
  api.slot(16, 0);
  api.step(250);
  api.press('left');
  api.step(37);
  api.release('left');
  api.clock('23:59:30');
  api.step(3000);
  api.press('both');
  api.step(20);
  api.release('both');
  api.step(7);
  const shown = api.screen();
  const recording = api.recording();
  const replay = u.runScript(recording + 'shot end.png\n', 'recording', 0, 0);
  assert.deepStrictEqual(replay.messages, []);
  assert.strictEqual(replay.pictures.length, 1);
  assert.deepStrictEqual(replay.pictures[0].pixels, shown, recording);
}

test('the recording replays to the same picture', () => checkReplay(''));

test('the recording after a script run replays to the same picture',
    () => checkReplay('clock 2025-03-04 05:06:07\nwait 2.37s\nrepeat 2\nclick right\nwait 0.4s\n' +
        'end\npress left\n'));
