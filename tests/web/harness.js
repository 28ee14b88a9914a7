// Shared by the browser tests: the built page served on 127.0.0.1 with its
// headers, and Debian's chromium, headless, through puppeteer-core. No
// tool downloads a browser of its own.
'use strict';
const {spawn} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('puppeteer-core');

const root = path.resolve(__dirname, '..', '..');
const site = process.env.REEDSHOT_SITE || path.join(root, 'build-web', 'site');
const chromium = process.env.REEDSHOT_CHROMIUM || '/usr/bin/chromium';

// Starts scripts/serve-web on a free port; resolves to {url, stop, sent}.
// A `plain` server sends no headers of its own, as a bare static host; a
// `link` ({kbitPerS, rttMs}) slows every response. sent() resolves to the
// bytes the server has sent so far.
function serve(plain, link, folder) {
  return new Promise((resolve, reject) => {
    const args = [path.join(root, 'scripts', 'serve-web'), folder || site, '0',
                  ...(plain ? ['plain'] : []),
                  ...(link ? ['--link', String(link.kbitPerS), String(link.rttMs)] : [])];
    const server = spawn('python3', args, {stdio: ['ignore', 'pipe', 'inherit']});
    let text = '';
    const waiting = [];
    server.stdout.on('data', (chunk) => {
      text += chunk;
      for (let match; (match = /sent (\d+)\n/.exec(text));) {
        text = text.slice(match.index + match[0].length);
        waiting.shift()(Number(match[1]));
      }
      const address = /(http:\/\/127\.0\.0\.1:\d+\/)/.exec(text);
      if (address) {
        text = text.slice(address.index + address[0].length);
        resolve({url: address[1], stop: () => server.kill(),
                 sent: () => new Promise((r) => { waiting.push(r); server.kill('SIGUSR1'); })});
      }
    });
    server.on('exit', (code) => reject(new Error(`serve-web ended (${code})`)));
  });
}

// A fresh headless chromium with its own profile; resolves to
// {browser, profile, close}. The profile may be kept for a second launch.
async function launch(profile) {
  const dir = profile || fs.mkdtempSync(path.join(os.tmpdir(), 'reedshot-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync',
           '--autoplay-policy=user-gesture-required', `--user-data-dir=${dir}`],
  });
  return {browser, profile: dir,
          close: async (keep) => {
            await browser.close();
            if (!keep) fs.rmSync(dir, {recursive: true, force: true});
          }};
}

// Opens the page and waits for its first drawn frame; `prepare(page)`, if
// given, runs before the page loads.
async function open(browser, url, viewport, prepare) {
  const page = await browser.newPage();
  const errors = [], messages = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => messages.push(message.text()));
  await page.setViewport(viewport || {width: 960, height: 720});
  if (prepare) await prepare(page);
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => window.crossOriginIsolated && window.Module &&
                                   Module.reedshot && Module.reedshot.framesDrawn > 0,
                             {timeout: 30000});
  page.reedshotErrors = errors;
  page.reedshotConsole = messages;
  return page;
}

// The run's description, from the game's main thread.
function state(page) { return page.evaluate(() => Module.reedshotState()); }

// Waits until `test(state)` holds; resolves to that state.
async function until(page, test, what, timeoutMs = 20000) {
  const end = Date.now() + timeoutMs;
  for (;;) {
    const s = await state(page);
    if (test(s)) return s;
    if (Date.now() > end) throw new Error(`timed out waiting for ${what}: ${JSON.stringify(s)}`);
    await new Promise((r) => setTimeout(r, 50));
  }
}

// A frame-buffer point (x 0..239, y 0..319, as in scripts) as a point of
// the page, wherever the canvas stands and however it is turned.
function pagePoint(page, x, y) {
  return page.evaluate((fx, fy) => {
    const canvas = Module.canvas;
    const box = canvas.getBoundingClientRect();
    // The landscape view (320 x 240) shows frame-buffer (x, y) at view
    // (319 - y, x).
    let dx = (319 - fy + 0.5) - 160, dy = (fx + 0.5) - 120;
    const scale = canvas.offsetWidth / 320;
    dx *= scale;
    dy *= scale;
    const turned = window.innerHeight > window.innerWidth;
    if (turned) { const t = dx; dx = dy; dy = -t; }
    return {x: box.left + box.width / 2 + dx, y: box.top + box.height / 2 + dy};
  }, x, y);
}

async function click(page, x, y) {
  const p = await pagePoint(page, x, y);
  await page.mouse.click(p.x, p.y);
}

async function tap(page, x, y) {
  const p = await pagePoint(page, x, y);
  await page.touchscreen.tap(p.x, p.y);
}

module.exports = {serve, launch, open, state, until, pagePoint, click, tap, root, site};
