// The QX-70 unit on a web page. The unit itself (its display application,
// the shell, the window's session, keys, panel, tones and script runner) is
// the WebAssembly module qx70.wasm; this file is its host: it loads the
// module, draws its picture on a canvas, passes on pointer and key events,
// feeds it the page's clock, plays its tones and offers downloads.
//
// Under Node the file exports loadUnit for the tests; on a page it starts
// the page and publishes the unit's API as window.qx70.
'use strict';

(function () {
  // ---- Constants ----------------------------------------------------------

  const BEZEL_WIDTH = 450;
  const BEZEL_HEIGHT = 550;
  const SCREEN_WIDTH = 128;
  const SCREEN_HEIGHT = 160;
  const BUTTONS = ['view', 'left', 'right', 'both'];
  // What qx70-run's exit statuses 0, 1 and 2 mean.
  const OUTCOMES = ['Passed', 'Failed', 'Not run: the script has errors'];
  // One call runs at most five minutes of the unit's time, a few seconds
  // of the page's: a step, or a script (checked before it runs).
  const MAX_TICKS = 30000;
  const MAX_SCRIPT_BYTES = 4 * 1024 * 1024;
  const WASI_ESPIPE = 70;
  const AUDIO_BLOCK = 1024;    // samples per scheduled buffer
  const AUDIO_LEAD = 0.08;     // seconds of sound kept scheduled ahead
  const AUDIO_START = 0.02;    // delay of a sound that starts from silence
  const ZOOM_MAX = 8;
  // The page's turn: due ticks, then the picture, about 60 times a second.
  // A timer costs the browser far less than an animation frame when the
  // picture has not changed, which on most pages is most of the time.
  const TURN_MS = 16;
  const AWAKE_MS = 5000;  // turns go on this long after the last input while paused

  // ---- The module ---------------------------------------------------------

  // The C library writes only when the module aborts: say why on the console.
  function wasiImports(memory) {
    return {
      fd_write(fd, iovs, count, written) {
        const view = new DataView(memory().buffer);
        let text = '';
        let total = 0;
        for (let i = 0; i < count; ++i) {
          const ptr = view.getUint32(iovs + 8 * i, true);
          const len = view.getUint32(iovs + 8 * i + 4, true);
          text += new TextDecoder().decode(new Uint8Array(memory().buffer, ptr, len));
          total += len;
        }
        if (text.trim() !== '') console.error('qx70: ' + text.trim());
        view.setUint32(written, total, true);
        return 0;
      },
      fd_close: () => 0,
      fd_seek: () => WASI_ESPIPE,
    };
  }

  // The module's calls with text and pictures turned into JavaScript values.
  class Unit {
    constructor(exports) {
      this.x = exports;
      this.pictures = null;  // collects a script's pictures while it runs
    }

    bytes(ptr, n) { return new Uint8Array(this.x.memory.buffer, ptr, n); }

    textIn(text) {
      const data = new TextEncoder().encode(String(text));
      const ptr = this.x.qx70_text_in(data.length);
      if (ptr === 0) throw new Error(`a text of ${data.length} bytes is too long`);
      this.bytes(ptr, data.length).set(data);
    }

    textOut(n) { return new TextDecoder().decode(this.bytes(this.x.qx70_text_out(), n).slice()); }

    // A copy of RGBA pixels in the module's memory.
    rgba(ptr, width, height) {
      return new Uint8ClampedArray(this.bytes(ptr, width * height * 4));
    }

    takePicture(pathPtr, pathLength, width, height, pixels) {
      if (this.pictures === null) return;
      const path = new TextDecoder().decode(this.bytes(pathPtr, pathLength).slice());
      this.pictures.push({path, width, height, pixels: this.rgba(pixels, width, height)});
    }

    start(now, clock, paused) {
      this.textIn(clock);
      if (this.x.qx70_start(now, paused ? 1 : 0) === 0) {
        throw new Error(this.textOut(this.x.qx70_text_out_size()));
      }
    }

    // A script line (press, release, set, slot, clock); an Error when refused.
    line(text) {
      this.textIn(text);
      const n = this.x.qx70_line();
      if (n > 0) throw new Error(this.textOut(n));
    }

    keyDown(key, mods, repeat, now) {
      this.textIn(key);
      return this.textOut(this.x.qx70_key_down(mods, repeat ? 1 : 0, now));
    }

    keyUp(key) {
      this.textIn(key);
      this.x.qx70_key_up();
    }

    message(text, now) {
      this.textIn(text);
      this.x.qx70_message(now);
    }

    screen() { return this.rgba(this.x.qx70_screen(), SCREEN_WIDTH, SCREEN_HEIGHT); }

    bezel() { return this.rgba(this.x.qx70_bezel(), BEZEL_WIDTH, BEZEL_HEIGHT); }

    // Runs a script as qx70-run does; messages as "NAME:LINE: message".
    runScript(text, name, tickLimit, now) {
      this.textIn(text);
      this.pictures = [];
      const status = this.x.qx70_run_script(tickLimit, now);
      const pictures = this.pictures;
      this.pictures = null;
      const lines = this.textOut(this.x.qx70_text_out_size()).split('\n').filter((l) => l);
      const messages = lines.map((l) => {
        const tab = l.indexOf('\t');
        return `${name}:${l.slice(0, tab)}: ${l.slice(tab + 1)}`;
      });
      return {status, messages, pictures};
    }

    recording() { return this.textOut(this.x.qx70_recording()); }

    recordShot(file, window) {
      this.textIn(file);
      this.x.qx70_record_shot(window ? 1 : 0);
    }

    shotName(date, n) {
      return this.textOut(this.x.qx70_shot_name(date.getFullYear(), date.getMonth() + 1,
          date.getDate(), date.getHours(), date.getMinutes(), date.getSeconds(), n));
    }

    panelText(call, row) { return this.textOut(call(row)); }
  }

  // Instantiates the module from its bytes.
  async function loadUnit(bytes) {
    let unit = null;
    let memory = null;
    const imports = {
      env: {qx70_shot: (...args) => unit.takePicture(...args)},
      wasi_snapshot_preview1: wasiImports(() => memory),
    };
    const {instance} = await WebAssembly.instantiate(bytes, imports);
    memory = instance.exports.memory;
    instance.exports._initialize();
    unit = new Unit(instance.exports);
    return unit;
  }

  // ---- The API ------------------------------------------------------------

  function word(value, what) {
    if (typeof value !== 'string' || !/^[A-Za-z0-9_[\].-]+$/.test(value)) {
      throw new Error(`unknown ${what} '${String(value)}'`);
    }
    return value;
  }

  function wholeNumber(value, what, min, max) {
    if (!Number.isInteger(value) || value < min || value > max) {
      throw new Error(`${what} must be a whole number from ${min} to ${max}, not '${value}'`);
    }
    return value;
  }

  function button(name) {
    if (!BUTTONS.includes(name)) {
      throw new Error(`unknown button '${String(name)}' (view, left, right or both)`);
    }
    return name;
  }

  // window.qx70: the unit for a manual page that embeds it, and for tests.
  // Every call checks its arguments first and throws an Error naming the
  // one it refuses, so a refused call changes nothing.
  function makeApi(unit, host) {
    const now = () => performance.now();
    return {
      pause() { unit.x.qx70_set_paused(1, now()); host.update(); },
      resume() { unit.x.qx70_set_paused(0, now()); host.update(); },
      paused() { return unit.x.qx70_paused() === 1; },
      step(ticks = 1) {
        unit.x.qx70_step(wholeNumber(ticks, 'ticks', 0, MAX_TICKS), now());
        host.update();
      },
      ticks() { return unit.x.qx70_ticks(); },
      press(name) { unit.line(`press ${button(name)}`); host.update(); },
      release(name) { unit.line(`release ${button(name)}`); host.update(); },
      set(field, value) {
        if (typeof value !== 'number' || !Number.isFinite(value)) {
          throw new Error(`bad value '${String(value)}' for ${String(field)}`);
        }
        unit.line(`set ${word(field, 'field')} ${value}`);
        host.update();
      },
      slot(n, value) {
        unit.line(`slot ${wholeNumber(n, 'slot', 0, 99)} ` +
            `${wholeNumber(value, 'value', -2147483648, 4294967295)}`);
        host.update();
      },
      clock(text) {
        if (typeof text !== 'string' || !/^[0-9: T-]+$/.test(text)) {
          throw new Error(`bad time '${String(text)}' (YYYY-MM-DD HH:MM:SS)`);
        }
        unit.line(`clock ${text.replace('T', ' ')}`);
        host.update();
      },
      page() { return unit.x.qx70_page(); },
      screen() { return unit.screen(); },
      // Resolves to {status, messages, pictures}: status 0 passed, 1 an
      // expectation failed, 2 the script is wrong (and nothing ran).
      runScript(text, name = 'script') {
        return Promise.resolve().then(() => {
          if (typeof text !== 'string') throw new Error('a script is text');
          if (new TextEncoder().encode(text).length > MAX_SCRIPT_BYTES) {
            return {status: 2, messages: [`${name}: a script of at most 4 MiB`], pictures: []};
          }
          const result = unit.runScript(text, name, host.tickLimit, now());
          host.update();
          return result;
        });
      },
      recording() { return unit.recording(); },
    };
  }

  // ---- The page -----------------------------------------------------------

  function element(id) { return document.getElementById(id); }

  function download(blob, name) {
    const a = document.createElement('a');
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 60000);
  }

  function pngBlob(pixels, width, height) {
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
    return new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));
  }

  // URL parameters: ?paused=1&clock=2024-06-01T12:00:00&zoom=2. A value
  // that cannot be used is named in the message bar and left out.
  function readParameters(search) {
    const p = new URLSearchParams(search);
    const out = {paused: p.get('paused') === '1', clock: null, zoom: 0, problems: []};
    if (p.has('clock')) out.clock = p.get('clock').replace('T', ' ');
    if (p.has('zoom')) {
      const z = Number(p.get('zoom'));
      if (Number.isInteger(z) && z >= 1 && z <= ZOOM_MAX) {
        out.zoom = z;
      } else {
        out.problems.push(`zoom takes 1 to ${ZOOM_MAX}, not '${p.get('zoom')}'`);
      }
    }
    return out;
  }

  function utcText(date) {
    return date.toISOString().slice(0, 19).replace('T', ' ');
  }

  class Page {
    constructor(unit, params) {
      this.unit = unit;
      this.params = params;
      this.canvas = element('unit');
      this.context = this.canvas.getContext('2d');
      this.image = null;
      this.pointers = new Map();  // pointer id -> last bezel position
      this.audio = {context: null, until: 0};
      this.panelValues = [];
      this.panelTicks = -1;
      this.lastShotName = '';
      this.shotCount = 0;
      this.pictureUrls = [];
      this.tickLimit = MAX_TICKS;
      this.firstFrame = null;
      this.timer = null;
      this.awakeUntil = 0;
    }

    now() { return performance.now(); }

    start() {
      try {
        this.unit.start(this.now(), this.params.clock || utcText(new Date()), this.params.paused);
      } catch (e) {
        this.unit.start(this.now(), utcText(new Date()), this.params.paused);
        this.params.problems.push(`clock: ${e.message.replace(/^clock: /, '')}`);
      }
      if (this.params.problems.length > 0) {
        this.unit.message(this.params.problems.join('; '), this.now());
      }
      this.unit.x.qx70_set_hidden(document.hidden ? 1 : 0, this.now());
      this.layOut();
      this.listen();
      this.buildPanel();
      this.update();
    }

    // The largest whole zoom at which the bezel fits the window, each unit
    // pixel a square of whole device pixels.
    layOut() {
      const dpr = window.devicePixelRatio || 1;
      const room = window.innerHeight - element('controls').offsetHeight - 16;
      let z = this.params.zoom;
      if (z === 0) {
        z = Math.floor(Math.min(window.innerWidth * dpr / BEZEL_WIDTH, room * dpr / BEZEL_HEIGHT));
        z = Math.max(1, Math.min(z, ZOOM_MAX));
      }
      this.canvas.style.width = `${BEZEL_WIDTH * z / dpr}px`;
      this.canvas.style.height = `${BEZEL_HEIGHT * z / dpr}px`;
    }

    // While paused nothing changes by itself: the turns stop once the
    // message bar had its time, and the next input starts them again.
    turn() {
      this.timer = null;
      const now = this.now();
      this.unit.x.qx70_advance(now);
      this.present(now);
      this.playSound();
      this.refreshPanel();
      const idle = this.unit.x.qx70_paused() === 1 || document.hidden;
      if (!idle || now < this.awakeUntil) this.timer = setTimeout(() => this.turn(), TURN_MS);
    }

    wake() {
      this.awakeUntil = this.now() + AWAKE_MS;
      if (this.timer === null) this.timer = setTimeout(() => this.turn(), TURN_MS);
    }

    present(now) {
      const r = this.unit.x.qx70_present(now);
      const [x, y, w, h] = new Int32Array(this.unit.x.memory.buffer, r, 4);
      if (w <= 0 || h <= 0) return;
      const buffer = this.unit.x.memory.buffer;
      if (this.image === null || this.image.data.buffer !== buffer) {
        const pixels = new Uint8ClampedArray(buffer, this.unit.x.qx70_pixels(),
            BEZEL_WIDTH * BEZEL_HEIGHT * 4);
        this.image = new ImageData(pixels, BEZEL_WIDTH, BEZEL_HEIGHT);
      }
      this.context.putImageData(this.image, 0, 0, x, y, w, h);
      if (this.firstFrame === null) {
        this.firstFrame = now;
        performance.mark('qx70-first-frame');
      }
    }

    // After a call that may have changed the picture, the panel or the pause.
    update() {
      this.wake();
      this.present(this.now());
      this.refreshPanel(true);
      const paused = this.unit.x.qx70_paused() === 1;
      element('pause').textContent = paused ? 'Resume (P)' : 'Pause (P)';
      element('step').disabled = !paused;
      element('mute').textContent = this.unit.x.qx70_muted() ? 'Sound on (M)' : 'Sound off (M)';
    }

    bezelPoint(e) {
      const r = this.canvas.getBoundingClientRect();
      return {
        x: Math.floor((e.clientX - r.left) * BEZEL_WIDTH / r.width),
        y: Math.floor((e.clientY - r.top) * BEZEL_HEIGHT / r.height),
      };
    }

    listen() {
      const c = this.canvas;
      c.addEventListener('pointerdown', (e) => this.pointerDown(e));
      c.addEventListener('pointerup', (e) => this.pointerUp(e, this.bezelPoint(e)));
      c.addEventListener('pointercancel', (e) => this.pointerUp(e, this.pointers.get(e.pointerId)));
      c.addEventListener('contextmenu', (e) => e.preventDefault());
      document.addEventListener('keydown', (e) => this.keyDown(e));
      document.addEventListener('keyup', (e) => {
        this.unit.keyUp(e.key);
        this.wake();
      });
      window.addEventListener('blur', () => this.unit.x.qx70_keys_release());
      window.addEventListener('resize', () => this.layOut());
      document.addEventListener('visibilitychange', () => {
        this.unit.x.qx70_set_hidden(document.hidden ? 1 : 0, this.now());
        this.wake();
      });
      const click = (id, f) => element(id).addEventListener('click', f);
      click('pause', () => this.togglePause());
      click('step', () => { this.unit.x.qx70_step(1, this.now()); this.update(); });
      click('mute', () => { this.startSound(); this.toggleMute(); });
      click('help', () => this.key('F1'));
      click('shot-screen', () => this.saveShot(false));
      click('shot-bezel', () => this.saveShot(true));
      click('show-panel', () => this.toggle('panel'));
      click('show-script', () => this.toggle('script'));
      click('recording', () => this.saveRecording());
      click('script-run', () => this.runScript());
      element('script-file').addEventListener('change', (e) => this.loadScript(e.target.files[0]));
    }

    pointerDown(e) {
      if (e.pointerType === 'mouse' && e.button !== 0) return;
      e.preventDefault();
      this.startSound();
      this.canvas.setPointerCapture(e.pointerId);
      const p = this.bezelPoint(e);
      this.pointers.set(e.pointerId, p);
      this.unit.x.qx70_pointer(1, p.x, p.y);
      this.wake();
    }

    // A release outside the bezel's buttons matches none, as in the window.
    pointerUp(e, p) {
      if (!this.pointers.has(e.pointerId)) return;
      this.pointers.delete(e.pointerId);
      this.unit.x.qx70_pointer(0, p.x, p.y);
      this.wake();
    }

    keyDown(e) {
      if (e.target.closest && e.target.closest('input, textarea, select')) return;
      const mods = (e.shiftKey ? 1 : 0) | (e.ctrlKey || e.metaKey ? 2 : 0) | (e.altKey ? 4 : 0);
      const what = this.unit.keyDown(e.key, mods, e.repeat, this.now());
      if (what === '') return;
      e.preventDefault();
      this.startSound();
      if (what === 'screenshot') this.saveShot(false);
      if (what === 'panel') this.toggle('panel');
      this.update();
    }

    key(name) {
      this.unit.keyDown(name, 0, false, this.now());
      this.unit.keyUp(name);
      this.update();
    }

    togglePause() {
      this.unit.x.qx70_set_paused(this.unit.x.qx70_paused() ? 0 : 1, this.now());
      this.update();
    }

    toggleMute() {
      this.unit.x.qx70_toggle_mute(this.now());
      this.update();
    }

    // Shows or hides a section beside the bezel.
    toggle(id) {
      element(id).hidden = !element(id).hidden;
      element('show-' + id).setAttribute('aria-expanded', String(!element(id).hidden));
      element('side').hidden = element('panel').hidden && element('script').hidden;
      this.refreshPanel(true);
    }

    // ---- Sound --------------------------------------------------------------

    // Browsers let a page sound only after a user's gesture: this is called
    // from the first one.
    startSound() {
      if (this.audio.context !== null) return;
      const AudioContextClass = window.AudioContext || window.webkitAudioContext;
      if (!AudioContextClass) return;
      this.audio.context = new AudioContextClass();
      this.unit.x.qx70_audio_start(this.audio.context.sampleRate);
    }

    // Keeps a little sound scheduled ahead while a tone plays.
    playSound() {
      const a = this.audio;
      if (a.context === null || !this.unit.x.qx70_audio_audible()) return;
      const rate = a.context.sampleRate;
      let t = Math.max(a.until, a.context.currentTime + AUDIO_START);
      while (t < a.context.currentTime + AUDIO_LEAD && this.unit.x.qx70_audio_audible()) {
        const ptr = this.unit.x.qx70_audio_render(AUDIO_BLOCK);
        const samples = new Int16Array(this.unit.x.memory.buffer, ptr, AUDIO_BLOCK);
        const buffer = a.context.createBuffer(1, AUDIO_BLOCK, rate);
        const channel = buffer.getChannelData(0);
        for (let i = 0; i < AUDIO_BLOCK; ++i) channel[i] = samples[i] / 32768;
        const source = a.context.createBufferSource();
        source.buffer = buffer;
        source.connect(a.context.destination);
        source.start(t);
        t += AUDIO_BLOCK / rate;
      }
      a.until = t;
    }

    // ---- Downloads ----------------------------------------------------------

    // qx70-YYYYMMDD-HHMMSS from the local time, numbered within one second.
    shotBase() {
      const base = this.unit.shotName(new Date(), 1);
      this.shotCount = base === this.lastShotName ? this.shotCount + 1 : 1;
      this.lastShotName = base;
      return this.unit.shotName(new Date(), this.shotCount);
    }

    async saveShot(window) {
      const name = `${this.shotBase()}-${window ? 'window' : 'screen'}.png`;
      const blob = window ? await pngBlob(this.unit.bezel(), BEZEL_WIDTH, BEZEL_HEIGHT)
                          : await pngBlob(this.unit.screen(), SCREEN_WIDTH, SCREEN_HEIGHT);
      this.unit.recordShot(name, window);
      download(blob, name);
      this.unit.message(`Saved ${name}`, this.now());
      this.update();
    }

    saveRecording() {
      const name = `${this.shotBase()}.qx70`;
      download(new Blob([this.unit.recording()], {type: 'text/plain'}), name);
      this.unit.message(`Saved ${name}; qx70-run replays it`, this.now());
      this.update();
    }

    // ---- The device panel ---------------------------------------------------

    // One row per row of the window's panel: the label (its device field's
    // meaning as a tip), "-" and "+" around a number, a switch for a flag.
    buildPanel() {
      const x = this.unit.x;
      const body = element('panel-rows');
      for (let row = 0; row < x.qx70_panel_rows(); ++row) {
        const tr = document.createElement('tr');
        const label = document.createElement('th');
        label.textContent = this.unit.panelText(x.qx70_panel_label, row);
        label.title = this.unit.panelText(x.qx70_panel_meaning, row);
        const value = document.createElement('td');
        const controls = document.createElement('td');
        if (x.qx70_panel_flag(row)) {
          const box = document.createElement('input');
          box.type = 'checkbox';
          box.setAttribute('aria-label', label.textContent);
          box.addEventListener('change', () => this.panelChange(row, 0, true));
          controls.append(box);
        } else {
          controls.append(this.panelButton('−', row, -1), this.panelButton('+', row, 1));
        }
        tr.append(label, value, controls);
        body.append(tr);
        this.panelValues.push({value, box: controls.querySelector('input'), text: null});
      }
    }

    panelButton(text, row, sign) {
      const b = document.createElement('button');
      b.textContent = text;
      b.title = 'Shift: ten steps';
      b.addEventListener('click', (e) => this.panelChange(row, sign * (e.shiftKey ? 10 : 1), false));
      return b;
    }

    panelChange(row, steps, toggle) {
      this.unit.x.qx70_panel_change(row, steps, toggle ? 1 : 0);
      this.update();
    }

    // The values as the unit has them (the unit changes some itself).
    // Each turn refreshes it only when ticks ran; input and the toggle force it.
    refreshPanel(force = false) {
      if (element('panel').hidden) return;
      const x = this.unit.x;
      const ticks = x.qx70_ticks();
      if (!force && ticks === this.panelTicks) return;
      this.panelTicks = ticks;
      this.panelValues.forEach((shown, row) => {
        const text = this.unit.panelText(x.qx70_panel_value, row);
        if (text === shown.text) return;
        shown.text = text;
        shown.value.textContent = text;
        if (shown.box) shown.box.checked = x.qx70_panel_on(row) === 1;
      });
    }

    // ---- Scripts ------------------------------------------------------------

    loadScript(file) {
      if (!file) return;
      if (file.size > MAX_SCRIPT_BYTES) {
        element('script-out').textContent = `${file.name}: a script has at most 4 MiB`;
        return;
      }
      file.text().then((text) => {
        element('script-text').value = text;
        element('script-text').dataset.name = file.name;
      });
    }

    async runScript() {
      const text = element('script-text').value;
      const name = element('script-text').dataset.name || 'script';
      const out = element('script-out');
      out.textContent = 'Running...';
      await new Promise((resolve) => setTimeout(resolve, 0));
      const result = await window.qx70.runScript(text, name);
      out.textContent = [OUTCOMES[result.status], ...result.messages].join('\n');
      this.listPictures(result.pictures);
    }

    async listPictures(pictures) {
      this.pictureUrls.forEach((u) => URL.revokeObjectURL(u));
      this.pictureUrls = [];
      const list = element('script-pictures');
      list.replaceChildren();
      for (const p of pictures) {
        const url = URL.createObjectURL(await pngBlob(p.pixels, p.width, p.height));
        this.pictureUrls.push(url);
        const a = document.createElement('a');
        a.href = url;
        a.download = p.path.split('/').pop();
        a.textContent = `${p.path} (${p.width} x ${p.height})`;
        const li = document.createElement('li');
        li.append(a);
        list.append(li);
      }
    }
  }

  async function startPage(script) {
    const params = readParameters(window.location.search);
    let ready;
    const api = {ready: new Promise((resolve) => { ready = resolve; })};
    window.qx70 = api;
    const response = await fetch(new URL('qx70.wasm', script.src));
    const unit = await loadUnit(await response.arrayBuffer());
    const page = new Page(unit, params);
    Object.assign(api, makeApi(unit, page));
    Object.defineProperty(api, 'firstFrame', {get: () => page.firstFrame});
    page.start();
    ready();
  }

  if (typeof module === 'object' && module.exports) {
    module.exports = {loadUnit, makeApi, readParameters};
  } else {
    startPage(document.currentScript).catch((e) => {
      element('status').textContent = `The unit could not start: ${e.message}`;
    });
  }
})();
