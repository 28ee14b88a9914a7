// The web edition in a real browser (Debian's chromium, headless) and under
// node: what the player sees, clicks and taps, sound, saved scores, and the
// same game as on the desktop. Needs scripts/build-web and a native build.
'use strict';
const test = require('node:test');
const assert = require('node:assert');
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const h = require('./harness.js');

const nativeBinary = path.join(h.root, 'build', 'reedshot');
const nodeBinary = path.join(h.root, 'build-web', 'reedshot_node.js');
let server;

test.before(async () => { server = await h.serve(); });
test.after(() => server.stop());

function tempDir(name) { return fs.mkdtempSync(path.join(os.tmpdir(), `reedshot-${name}-`)); }

// The desktop program's headless picture after a script, as a data URL.
function desktopShot(script, options = []) {
  const dir = tempDir('shots');
  try {
    const file = path.join(dir, 'run.script');
    fs.writeFileSync(file, script + '\nshot view\nquit\n');
    execFileSync(nativeBinary, ['--headless', '--data-dir', path.join(dir, 'data'), '--script',
                                file, '--screenshots', dir, ...options]);
    return 'data:image/png;base64,' + fs.readFileSync(path.join(dir, 'view.png')).toString('base64');
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
}

// Gives the page `window.imagePixels(url)`: the picture's width and its
// RGBA pixels.
function withImagePixels(page) {
  return page.evaluate(() => {
    window.imagePixels = async (src) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      return {width: image.width, height: image.height,
              data: context.getImageData(0, 0, image.width, image.height).data};
    };
  });
}

// True when the canvas shows exactly the picture at `url` (same size, every
// pixel the same).
async function canvasShows(page, url) {
  await withImagePixels(page);
  return page.evaluate(async (src) => {
    const want = await window.imagePixels(src);
    const canvas = Module.canvas;
    if (canvas.width !== want.width || canvas.height !== want.height) return false;
    const got = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 0; i < want.data.length; i++)
      if (want.data[i] !== got[i]) return false;
    return true;
  }, url);
}

// Intro, title, the main menu with its buttons in place: with the pen as
// `press` gives it.
async function toMainMenu(page, press) {
  await h.until(page, (s) => s.view === 12, 'the intro');
  await press(203, 308);  // the intro's Skip button
  await h.until(page, (s) => s.view === 14, 'the title picture');
  await press(120, 160);
  // The menu's bars and name slide in; then its buttons are there.
  await h.until(page, (s) => s.view === 0 && s.next === 0 && s.screen.animating === 0,
                'the main menu');
}

// From the intro to a new game.
async function startGame(page, press) {
  await toMainMenu(page, press);
  await press(31, 76);  // New game
  return h.until(page, (s) => s.view === 1 && s.game.playing, 'a game');
}

// Shoots at the ducks in view (reloading when the shells are out, scrolling
// towards a duck when none is in view) until `done(state)` holds.
async function shootDucks(page, press, done, timeoutMs) {
  const end = Date.now() + timeoutMs;
  let scrollKey = 'ArrowLeft';
  for (;;) {
    const s = await h.state(page);
    if (done(s)) return s;
    if (Date.now() > end)
      throw new Error(`no duck hit (view ${s.view}): ${JSON.stringify(s.game)}`);
    // The page lost the focus a moment (the browser's other tab): the game
    // paused, as on the handheld. Play on.
    if (s.view === 5) {
      await press(215, 270);  // Resume
      continue;
    }
    if (!s.game.playing) {
      await new Promise((r) => setTimeout(r, 100));
      continue;
    }
    if (s.game.shells === 0) {
      await press(220, 80);
      continue;
    }
    const [sx, sy] = s.scroll;
    const inView = s.game.ducks.filter((d) => d.kind >= 1 && d.kind <= 4).map((d) => [
      d.x + d.width / 2 - sx, d.y + d.height / 2 - sy]).filter(([x, y]) =>
        x >= 10 && x < 200 && y >= 20 && y < 290);
    if (inView.length > 0) {
      await press(Math.round(inView[0][0]), Math.round(inView[0][1]));
      continue;
    }
    // No duck in view: scroll the lake towards one, as a player would.
    const duck = s.game.ducks.find((d) => d.kind >= 1 && d.kind <= 4);
    if (!duck) {
      await new Promise((r) => setTimeout(r, 50));
      continue;
    }
    const wanted = Math.sign(duck.y + duck.height / 2 - sy - 160);
    await page.keyboard.down(scrollKey);
    await new Promise((r) => setTimeout(r, 100));
    await page.keyboard.up(scrollKey);
    const moved = (await h.state(page)).scroll[1] - sy;
    if (moved * wanted < 0) scrollKey = scrollKey === 'ArrowLeft' ? 'ArrowRight' : 'ArrowLeft';
  }
}

// A game with a duck shot, then the clock let run 60 times as fast to the
// end of its three minutes; resolves to the state once the high-score
// table shows the new entry.
async function finishGame(page, press) {
  await startGame(page, press);
  await shootDucks(page, press, (s) => s.game.ducksShot > 0, 60000);
  await page.evaluate(() => Module._reedshot_web_time_scale(60));
  const over = await h.until(page, (s) => s.view === 7 && s.highScores.some((e) => e.newest),
                             'the high-score table', 60000);
  await page.evaluate(() => Module._reedshot_web_time_scale(1));
  return over;
}

test('desktop window: intro as on the desktop, the mouse plays, sound after the first click, ' +
     'the score kept across a reload', async () => {
  const {browser, close} = await h.launch();
  try {
    const page = await h.open(browser, server.url);
    const intro = desktopShot('wait 300');
    const seen = await h.until(page, () => true, 'the first state');
    assert.strictEqual(seen.view, 12);
    let same = false;
    for (let i = 0; i < 40 && !same; i++) {
      same = await canvasShows(page, intro);
      if (!same) await new Promise((r) => setTimeout(r, 50));
    }
    assert.ok(same, 'the canvas shows the desktop\'s intro picture');
    assert.strictEqual(await page.evaluate(() => Module.reedshot.audio), 'waiting');
    // The page's sound processor plays the mixer's samples as they are,
    // each held as long as the rates ask, asking for more before it runs dry.
    const wrong = await page.evaluate(() => {
      const found = [];
      for (const [rate, channels] of [[22050, 1], [11025, 2], [48000, 2]]) {
        let processor = null, asked = [];
        class Base { constructor() { this.port = {postMessage: (n) => asked.push(n)}; } }
        new Function('registerProcessor', 'AudioWorkletProcessor', 'sampleRate',
                     Module.reedshotWorkletSound.processor)(
            (name, P) => { processor = new P({processorOptions: {rate, channels}}); }, Base, 44100);
        const sent = [], left = new Float32Array(128), right = new Float32Array(128);
        for (let block = 0; block < 40; block++) {
          // The page answers each ask with that many frames.
          for (const frames of asked.splice(0)) {
            const data = Uint8Array.from({length: frames * channels},
                                         (_, i) => (sent.length + i) * 37 % 256);
            sent.push(...data);
            processor.port.onmessage({data});
          }
          processor.process([], [[left, right]]);
          for (let i = 0; i < 128; i++) {
            const at = Math.floor((block * 128 + i) * rate / 44100) * channels;
            if (left[i] !== (sent[at] - 128) / 128 ||
                right[i] !== (sent[at + channels - 1] - 128) / 128)
              found.push([rate, block * 128 + i]);
          }
        }
      }
      return found.slice(0, 5);
    });
    assert.deepStrictEqual(wrong, []);

    const press = (x, y) => h.click(page, x, y);
    await startGame(page, press);
    // The game's sounds are heard, not only silence.
    await page.waitForFunction(() => Module.reedshot.audibleBlocks > 0, {timeout: 10000});

    const hit = await shootDucks(page, press, (s) => s.game.ducksShot > 0, 60000);
    assert.ok(hit.game.score > 0);
    // A page played with the mouse alone shows no on-screen buttons.
    assert.strictEqual(await page.evaluate(() => Module.reedshotButtons()), null);
    // The rest of the three minutes at 60 times the speed; the score goes
    // into the table.
    await page.evaluate(() => Module._reedshot_web_time_scale(60));
    const over = await h.until(page, (s) => s.view === 7 && s.highScores[0].score > 0,
                               'the high-score table', 60000);
    await page.evaluate(() => Module._reedshot_web_time_scale(1));
    const score = over.highScores[0].score;
    // The table is written when the player leaves it with OK.
    const saves = await page.evaluate(() => Module.reedshot.saves);
    await press(213, 35);
    await page.waitForFunction((n) => Module.reedshot.saves > n, {timeout: 10000}, saves);

    await page.reload({waitUntil: 'load'});
    await page.waitForFunction(() => Module.reedshot && Module.reedshot.framesDrawn > 0,
                               {timeout: 30000});
    const after = await h.state(page);
    assert.strictEqual(after.highScores[0].score, score);
    assert.deepStrictEqual(page.reedshotErrors, []);
  } finally {
    await close();
  }
});

test('closing the tab keeps what closing the desktop window keeps: a finished game on its ' +
     'table with its statistics, a name confirmed, options left with OK; a frozen page, ' +
     'its browser killed, too', async () => {
  let {browser, profile, close} = await h.launch();
  try {
    let page = await h.open(browser, server.url);
    const press = (x, y) => h.click(page, x, y);
    const over = await finishGame(page, press);
    const entry = over.highScores.find((e) => e.newest);
    assert.ok(entry.score > 0 && over.settings.killedDucks > 0, JSON.stringify(over.settings));
    await page.close();
    page = await h.open(browser, server.url);
    let s = await h.state(page);
    assert.deepStrictEqual(s.highScores.find((e) => e.score > 0), entry);
    for (const field of ['lastScore', 'killedDucks', 'killedLeafs', 'negPoints', 'accuracy',
                         'playerName'])
      assert.strictEqual(s.settings[field], over.settings[field], field);

    // A name typed and confirmed with OK; the tab closed at once.
    await toMainMenu(page, press);
    await press(215, 241);  // the name on the menu
    await h.until(page, (t) => t.view === 4, 'the name screen');
    await press(69, 297);  // A
    await press(69, 263);  // B
    await press(216, 49);  // OK
    await page.close();
    page = await h.open(browser, server.url);
    s = await h.state(page);
    assert.strictEqual(s.settings.userName, 'AB');

    // Menu animation switched off and the options left with OK; the tab
    // closed straight after the OK (well within 10 ms).
    await toMainMenu(page, press);
    await press(77, 61);  // Options
    await h.until(page, (t) => t.view === 10, 'the options');
    await press(157, 43);  // the menu animation's box
    await h.until(page, (t) => !t.settings.menuAnimation, 'the box unticked');
    const ok = await h.pagePoint(page, 213, 161);
    await page.mouse.click(ok.x, ok.y);
    await page.close();
    page = await h.open(browser, server.url);
    s = await h.state(page);
    assert.strictEqual(s.settings.menuAnimation, false);
    assert.strictEqual(s.settings.userName, 'AB');
    assert.deepStrictEqual(s.highScores.find((e) => e.score > 0), entry);
    assert.deepStrictEqual(page.reedshotConsole.filter((m) => /cannot/.test(m)), []);

    // A name confirmed, the page frozen as a phone does with a page in the
    // background, then the browser killed.
    await toMainMenu(page, press);
    await press(215, 241);
    await h.until(page, (t) => t.view === 4, 'the name screen');
    await press(69, 229);  // C
    await press(216, 49);
    await h.until(page, (t) => t.view === 0, 'the main menu');
    const session = await page.target().createCDPSession();
    await session.send('Page.setWebLifecycleState', {state: 'frozen'});
    await new Promise((r) => setTimeout(r, 1000));  // a while in the background
    browser.process().kill('SIGKILL');
    await new Promise((r) => browser.process().once('exit', r));
    ({browser, close} = await h.launch(profile));
    page = await h.open(browser, server.url);
    s = await h.state(page);
    assert.strictEqual(s.settings.userName, 'C');
    assert.deepStrictEqual(s.highScores.find((e) => e.score > 0), entry);
  } finally {
    await close();
  }
});

// True once the browser's storage holds a game's kept result (the name of
// its value in a stored file), as it does from the game's end on.
async function resultStored() {
  const db = await new Promise((resolve, reject) => {
    const request = indexedDB.open('/data');
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
  const names = Array.from(db.objectStoreNames);
  const values = names.length === 0 ? [] : await new Promise((resolve) => {
    const request = db.transaction(names, 'readonly').objectStore(names[0]).getAll();
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => resolve([]);
  });
  db.close();
  const text = (v) => new TextDecoder('latin1').decode((v && v.contents) || new Uint8Array());
  return values.some((v) => text(v).includes('KeptResults'));
}

test('a browser the system kills while the table shows a new entry loses nothing', async () => {
  let {browser, profile, close} = await h.launch();
  try {
    let page = await h.open(browser, server.url);
    const over = await finishGame(page, (x, y) => h.click(page, x, y));
    const entry = over.highScores.find((e) => e.newest);
    // Not hidden, no teardown: only what the game's end wrote.
    await page.waitForFunction(resultStored, {timeout: 20000, polling: 100});
    browser.process().kill('SIGKILL');
    await new Promise((r) => browser.process().once('exit', r));
    ({browser, close} = await h.launch(profile));
    page = await h.open(browser, server.url);
    const s = await h.state(page);
    assert.deepStrictEqual(s.highScores.find((e) => e.score > 0), entry);
  } finally {
    await close();
  }
});

// A player's data folder as earlier versions of the page kept it: the data
// file that their SQLite wrote page by page (a demo session's: its scores
// and statistics), in IndexedDB as one record per file.
test('a player\'s data kept by an earlier version loads, and is kept on in the same form',
     async () => {
  const file = zlib.gunzipSync(fs.readFileSync(path.join(__dirname, 'data',
                                                         'earlier_player.db.gz')));
  const {browser, close} = await h.launch();
  try {
    // Written from a page of the same site that does not start the game.
    const setup = await browser.newPage();
    await setup.goto(server.url + 'manifest.webmanifest');
    await setup.evaluate((bytes) => new Promise((resolve, reject) => {
      const request = indexedDB.open('/data', 21);
      request.onupgradeneeded = () => {
        request.result.createObjectStore('FILE_DATA').createIndex('timestamp', 'timestamp',
                                                                  {unique: false});
      };
      request.onerror = () => reject(request.error);
      request.onsuccess = () => {
        const transaction = request.result.transaction(['FILE_DATA'], 'readwrite');
        transaction.objectStore('FILE_DATA').put(
            {timestamp: new Date(), mode: 0o100644, contents: new Uint8Array(bytes)},
            '/data/reedshot.db');
        transaction.oncomplete = () => { request.result.close(); resolve(); };
        transaction.onerror = () => reject(transaction.error);
      };
    }), [...file]);
    await setup.close();

    const kept = (s) => s.settings && s.settings.lastScore === 2587 &&
        s.settings.killedDucks === 130 && s.highScores[0].name === 'NONAME' &&
        s.highScores[0].score === 2587;
    let page = await h.open(browser, server.url);
    await h.until(page, kept, 'the earlier scores');
    // Hidden, the page keeps the data; a new visit finds it all there.
    const saves = await page.evaluate(() => Module.reedshot.saves);
    await page.evaluate(() => document.dispatchEvent(new Event('visibilitychange')));
    await page.evaluate(() => window.dispatchEvent(new Event('pagehide')));
    await page.waitForFunction((n) => Module.reedshot.saves > n, {timeout: 10000}, saves);
    await page.close();
    page = await h.open(browser, server.url);
    await h.until(page, kept, 'the earlier scores after a save');
    // One record per file, as before: the data file whole, nothing else.
    const records = await page.evaluate(() => new Promise((resolve) => {
      indexedDB.open('/data').onsuccess = (event) => {
        const transaction = event.target.result.transaction(['FILE_DATA']);
        const files = transaction.objectStore('FILE_DATA');
        const all = files.getAll(), keys = files.getAllKeys();
        transaction.oncomplete = () => resolve(keys.result.map((key, i) => [
          key, String.fromCharCode(...all.result[i].contents.slice(0, 15)),
          all.result[i].timestamp instanceof Date]));
      };
    }));
    assert.deepStrictEqual(records, [['/data/reedshot.db', 'SQLite format 3', true]]);
  } finally {
    await close();
  }
});

test('the keyboard and the wheel as on the desktop: a name typed, Esc pausing and resuming, ' +
     'the wheel scrolling the lake, the volume keys stepping and kept', async () => {
  const {browser, close} = await h.launch();
  try {
    let page = await h.open(browser, server.url);
    const press = (x, y) => h.click(page, x, y);
    await toMainMenu(page, press);
    await press(215, 241);  // the name on the menu
    await h.until(page, (t) => t.view === 4, 'the name screen');
    await page.keyboard.type('abc');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('d');
    await page.keyboard.press('Enter');
    let s = await h.until(page, (t) => t.view === 0 && t.settings.userName === 'ABD',
                          'the typed name');
    const volume = s.settings.soundVolume;
    await page.keyboard.press('Minus');
    await page.keyboard.press('Minus');
    await page.keyboard.press('Equal');
    await h.until(page, (t) => t.settings.soundVolume === volume - 6, 'a step down, kept');

    await h.until(page, (t) => t.screen.animating === 0, 'the menu\'s buttons in place');
    await press(31, 76);  // New game
    s = await h.until(page, (t) => t.view === 1 && t.game.playing, 'a game');
    await page.keyboard.press('Escape');
    await h.until(page, (t) => t.view === 5 && t.screen.sliding === 0, 'the pause menu');
    await page.keyboard.press('Escape');
    s = await h.until(page, (t) => t.view === 1 && t.game.playing, 'the game resumed');
    const at = await h.pagePoint(page, 120, 160);
    await page.mouse.move(at.x, at.y);
    await page.mouse.wheel({deltaY: 100});  // one notch down: on along the lake
    await h.until(page, (t) => t.scroll[1] === s.scroll[1] - 40, 'the lake scrolled');

    await page.close();
    page = await h.open(browser, server.url);
    s = await h.state(page);
    assert.strictEqual(s.settings.soundVolume, volume - 6);
    assert.strictEqual(s.settings.userName, 'ABD');
  } finally {
    await close();
  }
});

test('one game per browser: a second tab waits with a notice, takes the game over with ' +
     'everything the first had, and the first ends saying where it went', async () => {
  const {browser, close} = await h.launch();
  try {
    const first = await h.open(browser, server.url);
    const over = await finishGame(first, (x, y) => h.click(first, x, y));
    const entry = over.highScores.find((e) => e.newest);

    const second = await browser.newPage();
    await second.setViewport({width: 960, height: 720});
    await second.goto(server.url, {waitUntil: 'load'});
    await second.waitForFunction(() => /open in another tab/.test(document.body.textContent),
                                 {timeout: 30000, polling: 100});
    await new Promise((r) => setTimeout(r, 500));
    assert.strictEqual(await second.evaluate(() => Module.reedshot.framesDrawn), 0);
    assert.ok(!(await first.evaluate(() => Module.reedshot.ended)));

    // "Play here" first says what becomes of the first tab's game; Cancel
    // leaves it, a second "Play here" takes it.
    await second.click('#reedshot-notice button');
    assert.match(await second.$eval('#reedshot-notice', (e) => e.textContent),
                 /ends the game in the other tab.*scores.*kept/);
    await second.click('#reedshot-notice button:last-child');
    await second.waitForFunction(() => /open in another tab/.test(document.body.textContent));
    await second.click('#reedshot-notice button');
    await second.click('#reedshot-notice button');
    await first.waitForFunction(
        () => Module.reedshot.ended &&
              /moved to another tab/.test(document.getElementById('reedshot-notice').textContent),
        {timeout: 20000, polling: 100});
    await second.waitForFunction(() => Module.reedshot.framesDrawn > 0,
                              {timeout: 30000, polling: 100});
    const s = await h.state(second);
    assert.deepStrictEqual(s.highScores.find((e) => e.score > 0), entry);
    assert.strictEqual(s.settings.lastScore, over.settings.lastScore);
    // The first tab writes nothing any more, not even its teardown's.
    const saves = await first.evaluate(() => Module.reedshot.saves);
    await new Promise((r) => setTimeout(r, 1000));
    assert.strictEqual(await first.evaluate(() => Module.reedshot.saves), saves);
  } finally {
    await close();
  }
});

test('a save the browser refuses (no room left) is told in a message box; once answered ' +
     'the game goes on', async () => {
  const {browser, close} = await h.launch();
  try {
    // No room from the start: the browser grants space for a while once it
    // has granted it, so the limit is set before the first write.
    const page = await browser.newPage();
    await page.setViewport({width: 960, height: 720});
    const session = await page.target().createCDPSession();
    await session.send('Storage.overrideQuotaForOrigin',
                       {origin: new URL(server.url).origin, quotaSize: 1});
    await page.goto(server.url, {waitUntil: 'load'});
    await page.waitForFunction(() => window.Module && Module.reedshot &&
                                     typeof Module.reedshot.message === 'string',
                               {timeout: 30000, polling: 100});
    const text = await page.evaluate(
        () => document.querySelector('[role=alertdialog]').textContent);
    assert.match(text, /could not be saved/);
    await page.click('[role=alertdialog] button');
    await page.waitForFunction(() => Module.reedshot.message === null, {polling: 100});
    await toMainMenu(page, (x, y) => h.click(page, x, y));
  } finally {
    await close();
  }
});

// Where the picture stands on the page, and how many device pixels each
// game pixel takes.
function picture(page) {
  return page.evaluate(() => {
    const canvas = Module.canvas, box = canvas.getBoundingClientRect();
    const turned = innerHeight > innerWidth;
    return {left: box.left, top: box.top, right: box.right, bottom: box.bottom,
            width: box.width, height: box.height, pageWidth: innerWidth, pageHeight: innerHeight,
            perPixel: (turned ? box.height : box.width) * devicePixelRatio / 320,
            enlarged: canvas.width / 320, rendering: canvas.style.imageRendering,
            ratio: devicePixelRatio};
  });
}

const near = (a, b) => Math.abs(a - b) < 0.51;

// The share of the coloured pixels of the picture at `url` (the frame
// buffer unturned, 240 x 320) that the page shows where the frame buffer,
// shown upright over the canvas's box, puts them, in their colour give or
// take the smoothing of the enlargement.
async function uprightShare(page, url) {
  const shot = 'data:image/png;base64,' + await page.screenshot({encoding: 'base64'});
  await withImagePixels(page);
  return page.evaluate(async (want, got) => {
    const reference = await window.imagePixels(want), shown = await window.imagePixels(got);
    const box = Module.canvas.getBoundingClientRect(), scale = box.width / 240;
    let coloured = 0, same = 0;
    for (let y = 1; y < 320; y += 3) {
      for (let x = 1; x < 240; x += 3) {
        const r = (y * reference.width + x) * 4;
        if (reference.data[r] + reference.data[r + 1] + reference.data[r + 2] < 150) continue;
        coloured++;
        const px = Math.floor((box.left + (x + 0.5) * scale) * devicePixelRatio);
        const py = Math.floor((box.top + (y + 0.5) * scale) * devicePixelRatio);
        const p = (py * shown.width + px) * 4;
        if ([0, 1, 2].every((c) => Math.abs(shown.data[p + c] - reference.data[r + c]) <= 48))
          same++;
      }
    }
    return coloured > 500 ? same / coloured : 0;
  }, url, shot);
}

test('phones: upright the frame buffer unturned (the intro reads the right way up), sideways ' +
     'turned, the picture fills the screen, crisp, and taps play', async () => {
  const {browser, close} = await h.launch();
  try {
    const phone = {deviceScaleFactor: 3, isMobile: true, hasTouch: true};
    const page = await h.open(browser, server.url, {width: 390, height: 844, ...phone});
    // Upright: as wide as the phone, the intro as the device's own frame
    // buffer shows it.
    let box = await picture(page);
    assert.ok(box.height > box.width && near(box.width, 390), JSON.stringify(box));
    const intro = desktopShot('wait 300', ['--portrait']);
    let share = 0;
    for (let i = 0; i < 40 && share < 0.9; i++) {
      share = await uprightShare(page, intro);
      if (share < 0.9) await new Promise((r) => setTimeout(r, 50));
    }
    assert.ok(share >= 0.9, `${share} of the intro's pixels upright on the page`);
    // Held sideways: as high as the phone. 4.875 device pixels per game
    // pixel: enlarged 5 times, each game pixel a square, then shrunk smoothly.
    await page.setViewport({width: 844, height: 390, ...phone});
    await page.waitForFunction(() => {
      const box = Module.canvas.getBoundingClientRect();
      return box.width > box.height && box.height > 389;
    });
    box = await picture(page);
    assert.ok(near(box.height, 390) && near(box.width, 520) && near(box.left, 162),
              JSON.stringify(box));
    assert.deepStrictEqual([box.enlarged, box.rendering], [5, 'auto']);
    const press = (x, y) => h.tap(page, x, y);
    await startGame(page, press);
    const hit = await shootDucks(page, press, (s) => s.game.ducksShot > 0, 60000);
    assert.ok(hit.game.score > 0);
    // Switching to another app pauses the game, as the menu corner does.
    await page.evaluate(() => window.dispatchEvent(new Event('blur')));
    await h.until(page, (s) => s.view === 5, 'the pause menu');
    assert.deepStrictEqual(page.reedshotErrors, []);
  } finally {
    await close();
  }
});

// Fingers on a touch screen, several at once: each goes down, moves and
// lifts by its own name while the others stay where they are.
async function fingers(page) {
  const session = await page.target().createCDPSession();
  const down = new Map();
  let next = 1;
  const send = (type, points) => session.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map((f) => ({x: f.x, y: f.y, id: f.id}))});
  // Chromium adds the new points of a touchStart and lifts those a
  // touchEnd names.
  return {
    press: (name, p) => {
      down.set(name, {...p, id: next++});
      return send('touchStart', [...down.values()]);
    },
    lift: (name) => {
      const finger = down.get(name);
      down.delete(name);
      return send('touchEnd', [finger]);
    },
  };
}

// The centre of an on-screen button, or of an arm of the pad, on the page.
async function buttonPoint(page, name) {
  const b = (await page.evaluate(() => Module.reedshotButtons()))[name];
  // The pad's drawing is 100 x 104 units, its centre 50 units from the top;
  // an arm's centre 32 units from it.
  const unit = b.height / 104, arm = {left: [-32, 0], right: [32, 0], up: [0, -32],
                                      down: [0, 32]}[name] || [0, 0];
  return {x: b.left + b.width / 2 + arm[0] * unit,
          y: b.top + (name in {left: 1, right: 1, up: 1, down: 1, action: 1} ? 50 * unit :
                      b.height / 2) + arm[1] * unit};
}

test('a whole game by touch: the on-screen pad scrolls the lake from end to end while another ' +
     'finger shoots and key 3 reloads; turned upright mid-game, taps and the pad follow',
     async () => {
  const {browser, close} = await h.launch();
  try {
    const phone = {deviceScaleFactor: 3, isMobile: true, hasTouch: true};
    const page = await h.open(browser, server.url, {width: 844, height: 390, ...phone});
    assert.strictEqual(await page.evaluate(() => Module.reedshotButtons()), null);
    const press = (x, y) => h.tap(page, x, y);
    await startGame(page, press);
    // The first touch brought the buttons, each big enough for a thumb (a
    // pad's arm a third of it), in the bars: the picture keeps its place.
    const buttons = await page.evaluate(() => Module.reedshotButtons());
    for (const [name, b] of Object.entries(buttons))
      assert.ok(Math.min(b.width, b.height) * (b.width > 130 ? 0.32 : 1) >= 44, name);
    assert.ok(near((await picture(page)).left, 162));

    const hand = await fingers(page);
    const lake = async () => h.pagePoint(page, 120, 200);
    let s = await h.state(page);
    assert.strictEqual(s.scroll[1], 639);
    // One thumb holds the pad's right arm: the lake scrolls to its other end
    // while another finger shoots the gun empty.
    await hand.press('thumb', await buttonPoint(page, 'right'));
    await h.until(page, (st) => st.scroll[1] < 639, 'the lake scrolling');
    for (let shells = s.game.shells; shells > 0; shells--) {
      await hand.press('shot', await lake());
      await hand.lift('shot');
      s = await h.until(page, (st) => st.game.shells < shells, 'a shot');
    }
    // Key 3 reloads, the thumb still on the pad, and the other finger
    // shoots on.
    await hand.press('key', await buttonPoint(page, 'key3'));
    await h.until(page, (st) => st.game.shells === 7, 'a reload with key 3');
    await hand.lift('key');
    await hand.press('shot', await lake());
    await hand.lift('shot');
    await h.until(page, (st) => st.game.shells === 6, 'a shot after the reload');
    // (The lake scrolls in steps of 10: its far end is within one step.)
    await h.until(page, (st) => st.scroll[1] < 10, 'the lake\'s far end');
    await hand.lift('thumb');
    // The left arm scrolls it back to where it began.
    await hand.press('thumb', await buttonPoint(page, 'left'));
    await h.until(page, (st) => st.scroll[1] === 639, 'the lake\'s first end');
    await hand.lift('thumb');

    // Turned upright mid-game: the picture is the frame buffer unturned,
    // the buttons under it; a tap on the menu corner lands there, and the
    // pad's up arm scrolls the way it points.
    await page.setViewport({width: 390, height: 844, ...phone});
    await page.waitForFunction(() => {
      const box = Module.canvas.getBoundingClientRect();
      const pad = Module.reedshotButtons().up;
      return box.height > box.width && pad.top >= box.bottom;
    });
    await press(234, 314);
    await h.until(page, (st) => st.view === 5, 'the pause menu');
    await new Promise((r) => setTimeout(r, 1000));  // the panel slides in
    await press(215, 270);  // Resume
    await h.until(page, (st) => st.view === 1 && st.game.playing, 'the game again');
    await hand.press('thumb', await buttonPoint(page, 'up'));
    await h.until(page, (st) => st.scroll[1] < 639, 'the lake scrolling upright');
    await hand.lift('thumb');
    // The rest of the three minutes at 60 times the speed, to the table.
    await page.evaluate(() => Module._reedshot_web_time_scale(60));
    await h.until(page, (st) => st.view === 7, 'the high-score table', 60000);
    // Sideways again, Exit: the buttons go, and the page's closing line
    // stands under the picture, not over it.
    await page.setViewport({width: 844, height: 390, ...phone});
    await page.waitForFunction(() => Module.canvas.getBoundingClientRect().height > 389);
    // OK, once the table takes it.
    for (let s = await h.state(page); s.view === 7; s = await h.state(page)) {
      await press(213, 35);
      await h.until(page, (st) => st.view !== 7, 'the main menu', 2000).catch(() => {});
    }
    await h.until(page, (st) => st.view === 0 && st.next === 0 && st.screen.animating === 0,
                  'the main menu');
    await press(215, 41);  // Exit
    await page.waitForFunction(() => /has ended/.test(document.getElementById('note').textContent) &&
                               Module.canvas.getBoundingClientRect().bottom <=
                               document.getElementById('note').getBoundingClientRect().top);
    assert.strictEqual(await page.evaluate(() => Module.reedshotButtons()), null);
    assert.deepStrictEqual(page.reedshotErrors, []);
  } finally {
    await close();
  }
});

// A game controller the test works: navigator.getGamepads answers with one
// pad in the standard layout whose buttons and sticks the test sets.
async function scriptedGamepad(page) {
  await page.evaluateOnNewDocument(() => {
    const pad = {id: 'scripted', index: 0, connected: true, mapping: 'standard', timestamp: 0,
                 axes: [0, 0, 0, 0],
                 buttons: Array.from({length: 17}, () => ({pressed: false, touched: false,
                                                            value: 0}))};
    window.scriptedPads = [pad];
    Navigator.prototype.getGamepads = () => window.scriptedPads;
  });
}

const pause = (ms) => new Promise((r) => setTimeout(r, ms));
const SOUTH = 0, WEST = 2, BACK = 8, START = 9, RIGHT = 15;
const ACTION_HELD = 0x0040;  // the action button in the run's keysHeld

function setButton(page, index, down) {
  return page.evaluate((i, d) => {
    const b = window.scriptedPads[0].buttons[i];
    b.pressed = b.touched = d;
    b.value = d ? 1 : 0;
  }, index, down);
}

async function button(page, index, holdMs = 80, thenMs = 120) {
  await setButton(page, index, true);
  await pause(holdMs);
  await setButton(page, index, false);
  await pause(thenMs);
}

function setStick(page, x, y) {
  return page.evaluate((ax, ay) => { window.scriptedPads[0].axes = [ax, ay, 0, 0]; }, x, y);
}

// Steers the pointer with the left stick onto a frame-buffer point (the
// view shows (x, y) at (319 - y, x)), watching it as a player would.
async function steer(page, x, y) {
  const end = Date.now() + 15000;
  for (;;) {
    const p = await page.evaluate(() => Module.reedshot.pointer);
    const dx = p ? 319 - y - p.x : 1, dy = p ? x - p.y : 0;
    const distance = Math.hypot(dx, dy);
    if (p && distance < 1) break;
    if (Date.now() > end) throw new Error(`the pointer stays at ${JSON.stringify(p)}`);
    const tilt = Math.min(1, 0.3 + distance / 60);
    await setStick(page, dx / distance * tilt, dy / distance * tilt);
    await pause(16);
  }
  await setStick(page, 0, 0);
}

test('game controller: the pointer aims, the buttons shoot, reload, scroll and pause, as the ' +
     'mouse does; unplugged, the game pauses', async () => {
  const {browser, close} = await h.launch();
  try {
    const page = await h.open(browser, server.url, undefined, scriptedGamepad);
    const press = async (x, y) => {
      await steer(page, x, y);
      await button(page, SOUTH);
    };
    await startGame(page, press);
    // The pointer over the picture, white with a black edge.
    const drawn = await page.evaluate(() => {
      const p = Module.reedshot.pointer;
      const at = (x, y) => Array.from(Module.canvas.getContext('2d').getImageData(x, y, 1, 1)
                                                              .data.slice(0, 3));
      return [at(p.x, p.y), at(p.x, p.y + 5)];
    });
    assert.deepStrictEqual(drawn, [[255, 255, 255], [0, 0, 0]]);

    // The gun shot empty (a shot more, as the game may start a little
    // late), reloaded with the west button, and two shots more.
    await steer(page, 120, 140);
    for (let i = 0; i < 8; i++) await button(page, SOUTH);
    await h.until(page, (s) => s.game.shells === 0, 'an empty gun');
    await button(page, WEST, 80, 500);
    await h.until(page, (s) => s.game.shells === 7, 'a reload');
    for (let i = 0; i < 2; i++) await button(page, SOUTH);
    let s = await h.until(page, (st) => st.game.shells === 5, 'two shots');
    // One stylus at a time: while the mouse holds the pen, the controller's
    // does not go down; then it does again.
    const at = await h.pagePoint(page, 100, 200);
    await page.mouse.move(at.x, at.y);
    await page.mouse.down();
    await h.until(page, (st) => st.game.shells === 4, 'the mouse\'s shot');
    for (let i = 0; i < 2; i++) await button(page, SOUTH, 80, 300);
    await page.mouse.up();
    assert.strictEqual((await h.state(page)).game.shells, 4);
    await button(page, SOUTH);
    await h.until(page, (st) => st.game.shells === 3, 'the controller\'s shot');
    // The direction pad scrolls the lake from its left end to its right.
    assert.strictEqual(s.scroll[1], 639);
    await button(page, RIGHT, 1500);
    s = await h.until(page, (st) => st.scroll[1] < 100, 'the lake scrolled');
    // Back taps the menu corner: the pause menu; Resume with the pen.
    await button(page, BACK);
    await h.until(page, (st) => st.view === 5, 'the pause menu');
    await pause(1000);  // the panel slides in
    await press(215, 270);
    await h.until(page, (st) => st.view === 1 && st.game.playing, 'the game again');
    // Start is the device's action button: held while it is.
    await setButton(page, START, true);
    await h.until(page, (st) => st.keysHeld === ACTION_HELD, 'the action button held');
    await setButton(page, START, false);
    await h.until(page, (st) => st.keysHeld === 0, 'the action button let go');
    // The mouse takes the pointer off the picture.
    await page.mouse.move(5, 5);
    await page.mouse.move(10, 10);
    await page.waitForFunction(() => Module.reedshot.pointer === null, {timeout: 5000});
    // The controller plugged out mid-game pauses it.
    await page.evaluate(() => { window.scriptedPads = [null]; });
    await h.until(page, (st) => st.view === 5, 'the pause menu after the controller went');
    assert.deepStrictEqual(page.reedshotErrors, []);
  } finally {
    await close();
  }
});

test('windows: a change of pixel density re-fits, a window below 320 x 240 shows it all',
     async () => {
  const {browser, close} = await h.launch();
  try {
    const page = await h.open(browser, server.url,
                              {width: 900, height: 700, deviceScaleFactor: 1.5});
    // Whole device pixels per game pixel where that fills the window well,
    // otherwise the whole window's height or width.
    const fitted = (b) => {
      const fill = Math.min(b.pageWidth / 320, b.pageHeight / 240) * b.ratio;
      if (Math.abs(b.perPixel - Math.round(b.perPixel)) < 0.01)
        return b.perPixel >= 0.9 * fill && b.perPixel <= fill + 0.01;
      return near(b.width, b.pageWidth) || near(b.height, b.pageHeight);
    };
    let box = await picture(page);
    assert.ok(fitted(box), JSON.stringify(box));
    for (const ratio of [1, 2]) {
      await page.setViewport({width: 900, height: 700, deviceScaleFactor: ratio});
      await page.waitForFunction((r) => devicePixelRatio === r, {}, ratio);
      await new Promise((r) => setTimeout(r, 200));
      box = await picture(page);
      assert.ok(fitted(box), JSON.stringify(box));
    }
    // 300 x 200: the picture shrunk to the window's height, all of it in
    // view, and a tap on the intro's Skip button lands on it.
    await page.setViewport({width: 300, height: 200, deviceScaleFactor: 1});
    await page.waitForFunction(() => Module.canvas.getBoundingClientRect().height <= 200);
    box = await picture(page);
    assert.ok(box.left >= 0 && box.top >= 0 && box.right <= 300 && box.bottom <= 200 &&
              near(box.height, 200), JSON.stringify(box));
    await h.until(page, (s) => s.view === 12, 'the intro');
    await h.click(page, 203, 308);
    await h.until(page, (s) => s.view === 14, 'the title picture');
  } finally {
    await close();
  }
});

// A copy of the built site, to change as a new version would.
function siteCopy() {
  const dir = tempDir('site');
  for (const name of fs.readdirSync(h.site)) fs.copyFileSync(path.join(h.site, name),
                                                             path.join(dir, name));
  return dir;
}

// Waits for the game's first frame after a navigation of `page`.
function playing(page) {
  return page.waitForFunction(() => window.crossOriginIsolated && window.Module &&
                                    Module.reedshot && Module.reedshot.framesDrawn > 0,
                              {timeout: 30000});
}

test('any static host, any reload: with and without the isolation headers, a reload, a hard ' +
     'reload and a visit after an update all play, the update at once', async () => {
  for (const plain of [true, false]) {
    const dir = siteCopy();
    const host = await h.serve(plain, null, dir);
    const {browser, close} = await h.launch();
    try {
      const page = await h.open(browser, host.url);
      await h.until(page, (s) => s.view === 12, 'the intro');
      await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                                 {timeout: 20000});
      await page.reload({waitUntil: 'load'});
      await playing(page);
      const session = await page.createCDPSession();
      await session.send('Page.reload', {ignoreCache: true});
      await new Promise((r) => setTimeout(r, 500));
      await playing(page);
      await h.until(page, (s) => s.view === 12, 'the intro after a hard reload');

      // A new version on the host: the next visit plays it.
      fs.appendFileSync(path.join(dir, 'reedshot.js'), '\nModule.reedshotBuild = "next";\n');
      execFileSync('cmake', [`-DSITE=${dir}`, '-P', path.join(h.root, 'web', 'stamp.cmake')]);
      await page.close();
      const next = await h.open(browser, host.url);
      assert.strictEqual(await next.evaluate(() => Module.reedshotBuild), 'next');
      await h.until(next, (s) => s.view === 12, 'the intro of the new version');
      assert.deepStrictEqual(next.reedshotErrors, [], plain ? 'plain host' : 'with headers');
    } finally {
      await close();
      host.stop();
      fs.rmSync(dir, {recursive: true, force: true});
    }
  }
});

test('a slow first visit: one progress that only grows up to the first picture and no black ' +
     'picture before it, the intro before the rest has come, a picture or sound not there yet ' +
     'waited for, the game heard', async () => {
  const slow = await h.serve(false, {kbitPerS: 800, rttMs: 150});
  const {browser, close} = await h.launch();
  try {
    const page = await browser.newPage();
    // What the page shows at each of its frames: the note, the bar, and
    // whether the canvas shows nothing yet, a black picture or a picture.
    await page.evaluateOnNewDocument(() => {
      window.seen = [];
      (function look() {
        const note = document.getElementById('note'), bar = document.getElementById('progress');
        const canvas = document.getElementById('screen');
        if (note && bar && canvas) {
          let shows = 'before';
          if (window.Module && Module.reedshot && Module.reedshot.framesDrawn > 0) {
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width,
                                                                canvas.height).data;
            shows = 'black';
            for (let i = 0; i < pixels.length && shows === 'black'; i += 4)
              if (pixels[i] || pixels[i + 1] || pixels[i + 2]) shows = 'drawn';
          }
          const entry = `${shows} ${bar.hidden ? '-' : 'bar'} ${note.textContent}`;
          if (seen[seen.length - 1] !== entry) seen.push(entry);
        }
        requestAnimationFrame(look);
      })();
    });
    await page.setViewport({width: 960, height: 720});
    await page.goto(slow.url, {waitUntil: 'domcontentloaded'});
    await page.waitForFunction(() => window.crossOriginIsolated && window.Module &&
                                     Module.reedshot && Module.reedshot.framesDrawn > 0,
                               {timeout: 60000});
    const press = (x, y) => h.click(page, x, y);
    await startGame(page, press);
    // Playing, while the last pictures and sounds are still on their way.
    const arrived = await page.evaluate(() => Atomics.load(HEAPU32,
        Module._reedshot_web_resources_arrived() >> 2) / Module._reedshot_web_resources_size());
    assert.ok(arrived < 1, `everything had come before the game: ${arrived}`);
    const heard = await page.evaluate(() => Module.reedshot.audibleBlocks);
    await press(120, 160);  // a shot
    await page.waitForFunction((n) => Module.reedshot.audibleBlocks > n, {timeout: 10000}, heard);
    const seen = await page.evaluate(() => window.seen);
    // Up to the first picture: the bar from its first showing on, never
    // going down, never 100 %, and never a black picture without it.
    const first = seen.findIndex((e) => e.startsWith('drawn'));
    const shownFrom = seen.findIndex((e) => e.includes(' bar '));
    assert.ok(shownFrom >= 0 && shownFrom < first, seen.join('\n'));
    const before = seen.slice(shownFrom, first);
    assert.ok(before.every((e) => / bar Loading/.test(e)), seen.join('\n'));
    const percents = before.map((e) => Number(/(\d+) %/.exec(e)[1]));
    assert.ok(percents.some((p) => p > 0) && percents.every((p) => p < 100), seen.join('\n'));
    percents.forEach((p, i) => assert.ok(i === 0 || p >= percents[i - 1], seen.join('\n')));
    // The game waited, with the progress over its picture, for what had not come.
    assert.ok(seen.some((e) => e.startsWith('drawn bar Loading')), seen.join('\n'));
  } finally {
    await close();
    slow.stop();
  }
});

test('installed and offline: after one visit the page loads and plays without the network',
     async () => {
  // A server of its own, stopped once the page has been seen.
  const own = await h.serve();
  const {browser, close} = await h.launch();
  try {
    const page = await h.open(browser, own.url);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null,
                               {timeout: 20000});
    const manifest = await page.evaluate(async () => {
      const m = await (await fetch('manifest.webmanifest')).json();
      const icons = await Promise.all(m.icons.map(async (icon) => {
        const image = new Image();
        image.src = icon.src;
        await image.decode();
        return `${image.width}x${image.height}` === icon.sizes;
      }));
      return {display: m.display, icons};
    });
    assert.deepStrictEqual(manifest, {display: 'fullscreen', icons: [true, true, true]});
    own.stop();
    await new Promise((r) => setTimeout(r, 300));
    await page.reload({waitUntil: 'load'});
    await page.waitForFunction(() => window.crossOriginIsolated && Module.reedshot &&
                                     Module.reedshot.framesDrawn > 0, {timeout: 30000});
    await startGame(page, (x, y) => h.click(page, x, y));
  } finally {
    await close();
    own.stop();
  }
});

test('the demo under node: screenshots and summary byte for byte the desktop\'s', () => {
  const dir = tempDir('demo');
  try {
    execFileSync(nativeBinary, ['--demo', path.join(dir, 'desktop')], {stdio: 'ignore'});
    execFileSync('node', ['--no-experimental-fetch', nodeBinary, '--demo', path.join(dir, 'web')],
                 {stdio: 'ignore'});
    const files = fs.readdirSync(path.join(dir, 'desktop')).sort();
    assert.ok(files.includes('summary.json') && files.length > 5, files.join(' '));
    assert.deepStrictEqual(fs.readdirSync(path.join(dir, 'web')).sort(), files);
    for (const file of files) {
      const a = fs.readFileSync(path.join(dir, 'desktop', file));
      const b = fs.readFileSync(path.join(dir, 'web', file));
      assert.ok(a.equals(b), `${file} differs`);
    }
  } finally {
    fs.rmSync(dir, {recursive: true, force: true});
  }
});
