// The page in Debian's Chromium, headless, driven by Playwright against the
// site on a local port: it starts without a console error, draws what
// qx70-run draws, takes the pointer, keys and touch as the window does, its
// device panel and screenshot work, and a hidden page stops the unit's time.
'use strict';

const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const {after, before, test} = require('node:test');
const {chromium} = require('playwright-core');
const {TOP, SITE, siteFile, readPng, pictureDifference} = require('./pictures.js');
const {serve} = require('../../platform/web/serve.js');

const CHROMIUM = process.env.QX70_CHROMIUM || '/usr/bin/chromium';
const GOLDEN = path.join(TOP, 'tests/golden');
const VIEW = {x: 120, y: 150};  // the middle of the View button on the bezel

let server;
let context;
let page;
let userDataDir;
const consoleErrors = [];

before(async () => {
  siteFile('index.html');
  server = await serve(SITE, 0);
  userDataDir = fs.mkdtempSync(path.join(os.tmpdir(), 'qx70-chromium-'));
  context = await chromium.launchPersistentContext(userDataDir, {
    executablePath: CHROMIUM,
    headless: true,
    hasTouch: true,
    viewport: {width: 900, height: 800},
    deviceScaleFactor: 1,
    acceptDownloads: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  page = context.pages()[0] || await context.newPage();
  page.on('console', (m) => { if (m.type() === 'error') consoleErrors.push(m.text()); });
  page.on('pageerror', (e) => consoleErrors.push(e.message));
});

after(async () => {
  if (context) await context.close();
  if (server) server.close();
  if (userDataDir) fs.rmSync(userDataDir, {recursive: true, force: true});
});

async function open(query) {
  await page.goto(`http://127.0.0.1:${server.address().port}/${query}`);
  await page.evaluate(() => window.qx70.ready);
}

const call = (f, arg) => page.evaluate(f, arg);
const step = (n) => call((k) => window.qx70.step(k), n);

async function expectScreen(golden) {
  const pixels = Uint8ClampedArray.from(await call(() => Array.from(window.qx70.screen())));
  assert.strictEqual(pictureDifference(path.join(GOLDEN, golden), 128, 160, pixels), '', golden);
}

// The page position of a bezel position.
async function onBezel(p) {
  const box = await page.locator('#unit').boundingBox();
  return {x: box.x + (p.x + 0.5) * box.width / 450, y: box.y + (p.y + 0.5) * box.height / 550};
}

test('the page loads and runs with no console error', async () => {
  await open('');
  await page.waitForFunction(() => window.qx70.ticks() >= 130 && window.qx70.firstFrame !== null,
      null, {timeout: 30000});
  assert.strictEqual(await call(() => window.qx70.page()), 1, 'the splash gave way to the data page');
  assert.strictEqual(await call(() => window.qx70.paused()), false);
  assert.deepStrictEqual(consoleErrors, []);
});

test('parameters that cannot be used are left out and the page still runs', async () => {
  await open('?clock=2024-13-01T00:00:00&zoom=99&paused=1');
  assert.strictEqual(await call(() => window.qx70.paused()), true);
  await step(125);
  assert.strictEqual(await call(() => window.qx70.page()), 1);
  assert.deepStrictEqual(consoleErrors, []);
});

test('paused on a set clock, the splash and the data page are the native pictures', async () => {
  await open('?paused=1&clock=2026-12-08T14:25:00&zoom=1');
  assert.strictEqual(await call(() => window.qx70.ticks()), 0);
  const box = await page.locator('#unit').boundingBox();
  assert.deepStrictEqual([box.width, box.height], [450, 550], 'zoom 1 at one device pixel a pixel');
  await step(60);
  await expectScreen('splash.png');
  await step(65);
  await expectScreen('data.png');

  const p = await onBezel(VIEW);  // a pointer click on View: local time on top
  await page.mouse.move(p.x, p.y);
  await page.mouse.down();
  await step(5);
  await page.mouse.up();
  await step(1);
  await expectScreen('data_local.png');
});

test('two arrow keys held together act as Both', async () => {
  await open('?paused=1&clock=2026-12-08T14:25:00&zoom=1');
  await step(125);
  await page.keyboard.down('ArrowLeft');
  await page.keyboard.down('ArrowRight');
  await step(5);
  await page.keyboard.up('ArrowLeft');
  await page.keyboard.up('ArrowRight');
  await step(1);
  await page.keyboard.down('v');
  await step(5);
  await page.keyboard.up('v');
  await step(1);
  await expectScreen('set_clock.png');  // Both opened the set-clock dialog
});

test('a touch tap shorter than one tick still presses', async () => {
  await open('?paused=1&clock=2026-12-08T14:25:00&zoom=1');
  await step(125);
  const p = await onBezel(VIEW);
  await page.touchscreen.tap(p.x, p.y);  // down and up with no tick between
  await step(6);
  await expectScreen('data_local.png');
});

test('a change in the device panel raises the G-limit banner', async () => {
  await open('?paused=1&clock=2024-06-01T12:00:00&zoom=1');
  await step(125);
  await page.click('#show-panel');
  await page.getByLabel('G limit 1', {exact: true}).check();
  await step(15);
  await expectScreen('alert_banner.png');
});

test('the screenshot download is the screen as a 128 x 160 PNG', async () => {
  await open('?paused=1&clock=2026-12-08T14:25:00&zoom=1');
  await step(125);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#shot-screen')]);
  assert.match(download.suggestedFilename(), /^qx70-\d{8}-\d{6}-screen\.png$/);
  const png = readPng(await download.path());
  assert.deepStrictEqual([png.width, png.height], [128, 160]);
  await expectScreen('data.png');
  const file = path.join(userDataDir, 'shot.png');
  await download.saveAs(file);
  assert.strictEqual(pictureDifference(path.join(GOLDEN, 'data.png'), 128, 160, readPng(file).data), '');
});

// Headless Chromium has an audio clock even without a sound card: the
// alert's tones are scheduled as buffers once a click started the sound.
test('a sounding alert is played through WebAudio after the first click', async () => {
  await open('?paused=1&zoom=1');
  await call(() => {
    window.buffersPlayed = 0;
    const create = AudioContext.prototype.createBufferSource;
    AudioContext.prototype.createBufferSource = function () {
      window.buffersPlayed += 1;
      return create.call(this);
    };
  });
  const corner = await onBezel({x: 30, y: 30});
  await page.mouse.click(corner.x, corner.y);
  await call(() => {
    window.qx70.step(125);
    window.qx70.slot(3, 255);  // every alert sounds
    window.qx70.set('gLimitInput[0]', 1);
    window.qx70.resume();
  });
  await page.waitForFunction(() => window.buffersPlayed >= 10, null, {timeout: 30000});
  assert.deepStrictEqual(consoleErrors, []);
});

// Headless Chromium shows every page, so the test tells the page it was
// hidden the way a browser does: document.hidden and a visibilitychange.
test('a hidden page stops the ticks and goes on where it stopped', async () => {
  await open('?zoom=1');
  await page.waitForFunction(() => window.qx70.ticks() > 20);
  const setHidden = (hidden) => call((h) => {
    Object.defineProperty(document, 'hidden', {configurable: true, get: () => h});
    Object.defineProperty(document, 'visibilityState', {configurable: true,
      get: () => (h ? 'hidden' : 'visible')});
    document.dispatchEvent(new Event('visibilitychange'));
    return window.qx70.ticks();
  }, hidden);
  const hiddenAt = await setHidden(true);
  await page.waitForTimeout(600);
  assert.strictEqual(await call(() => window.qx70.ticks()), hiddenAt, 'no tick while hidden');
  await setHidden(false);
  await page.waitForFunction((t) => window.qx70.ticks() > t, hiddenAt);
  assert.strictEqual(await call(() => window.qx70.paused()), false, 'the user never paused');
  assert.deepStrictEqual(consoleErrors, []);
});
