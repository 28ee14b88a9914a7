// Benchmarks of the web edition, printed as `RATIO name value` lines. Each
// page figure is the median of 3 visits, each in a fresh browser profile,
// from scripts/serve-web (gzip, as a real host), which also slows every
// response (the service worker's own fetches too) for the mobile figures:
//   web_first_frame_slow4g_ms  page requested to the first frame that shows
//                              a picture (not all black) over a 1.6 Mbit/s
//                              link with 150 ms round trips
//   web_first_visit_kb         bytes on the wire before that first frame
//   web_first_frame_ms         the same on the local link
//   web_first_frame_cpu4x_ms   the same with the page's processor slowed 4x
//                              (a mid-range phone), over the devtools protocol
//   web_screen_use_pct         a phone held sideways (844 x 390 CSS pixels,
//                              3 device pixels each): the picture's area
//                              over the largest 4:3 picture the window holds
//   web_site_gzip_mb           every file of the site as a host sends it
//                              (gzipped -9 but the PNG icons), in MB
//   web_demo_vs_native         the desktop demo's time over the demo's time
//                              under node (best of 3 each)
'use strict';
const {execFileSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const h = require('./harness.js');

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function demoSeconds(command, args) {
  let best = Infinity;
  for (let i = 0; i < 3; i++) {
    const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'reedshot-bench-'));
    const start = process.hrtime.bigint();
    execFileSync(command, [...args, '--demo', dir], {stdio: 'ignore'});
    best = Math.min(best, Number(process.hrtime.bigint() - start) / 1e9);
    fs.rmSync(dir, {recursive: true, force: true});
  }
  return best;
}

// Three cold visits, each from a server of its own, the processor slowed
// `cpuRate` times if given; resolves to the medians of the first frame's
// time and of the bytes sent before it.
async function firstVisits(link, cpuRate) {
  const times = [], bytes = [];
  for (let i = 0; i < 3; i++) {
    const server = await h.serve(false, link);
    const {browser, close} = await h.launch();
    try {
      const page = await browser.newPage();
      await page.setViewport({width: 960, height: 720});
      if (cpuRate) {
        const session = await page.target().createCDPSession();
        await session.send('Emulation.setCPUThrottlingRate', {rate: cpuRate});
      }
      // At each of the page's frames: does the canvas show anything yet?
      await page.evaluateOnNewDocument(() => {
        (function look() {
          const canvas = document.getElementById('screen');
          if (canvas && window.Module && Module.reedshot && Module.reedshot.framesDrawn > 0) {
            const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width,
                                                                canvas.height).data;
            for (let i = 0; i < pixels.length; i += 4) {
              if (pixels[i] || pixels[i + 1] || pixels[i + 2]) {
                window.firstPictureMs = performance.now();
                return;
              }
            }
          }
          requestAnimationFrame(look);
        })();
      });
      await page.goto(server.url, {waitUntil: 'domcontentloaded', timeout: 60000});
      await page.waitForFunction(() => window.firstPictureMs, {timeout: 60000, polling: 'raf'});
      bytes.push(await server.sent());
      times.push(await page.evaluate(() => window.firstPictureMs));
      await page.close();
    } finally {
      await close();
      server.stop();
    }
  }
  return {ms: median(times), kb: median(bytes) / 1000};
}

async function screenUse(url) {
  const {browser, close} = await h.launch();
  try {
    const page = await h.open(browser, url, {width: 844, height: 390, deviceScaleFactor: 3,
                                             isMobile: true, hasTouch: true});
    return await page.evaluate(() => {
      const box = Module.canvas.getBoundingClientRect();
      const fit = Math.min(innerWidth / 4, innerHeight / 3);
      return 100 * box.width * box.height / (fit * 4 * fit * 3);
    });
  } finally {
    await close();
  }
}

function siteGzipBytes() {
  let total = 0;
  for (const name of fs.readdirSync(h.site)) {
    const bytes = fs.readFileSync(path.join(h.site, name));
    total += name.endsWith('.png') ? bytes.length : zlib.gzipSync(bytes, {level: 9}).length;
  }
  return total;
}

(async () => {
  const slow = await firstVisits({kbitPerS: 1600, rttMs: 150});
  console.log(`RATIO web_first_frame_slow4g_ms ${slow.ms.toFixed(1)}`);
  console.log(`RATIO web_first_visit_kb ${slow.kb.toFixed(1)}`);
  const local = await firstVisits(null);
  console.log(`RATIO web_first_frame_ms ${local.ms.toFixed(1)}`);
  const slowCpu = await firstVisits(null, 4);
  console.log(`RATIO web_first_frame_cpu4x_ms ${slowCpu.ms.toFixed(1)}`);
  const server = await h.serve();
  try {
    console.log(`RATIO web_screen_use_pct ${(await screenUse(server.url)).toFixed(1)}`);
  } finally {
    server.stop();
  }
  console.log(`RATIO web_site_gzip_mb ${(siteGzipBytes() / 1e6).toFixed(3)}`);
  const native = demoSeconds(process.env.REEDSHOT_NATIVE || path.join(h.root, 'build', 'reedshot'), []);
  const web = demoSeconds('node', ['--no-experimental-fetch',
                                   path.join(h.root, 'build-web', 'reedshot_node.js')]);
  console.log(`RATIO web_demo_vs_native ${(native / web).toFixed(3)}`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
