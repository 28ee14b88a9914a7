// Benchmarks of the web edition, printed as `RATIO name value` lines:
//   web_first_frame_ms  page load to the first drawn frame, cold (a fresh
//                       browser profile each time), median of 3
//   web_wasm_gzip_mb    the program's WebAssembly, gzipped (-9), in MB
//   web_demo_vs_native  the desktop demo's time over the demo's time under
//                       node (best of 3 each)
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

async function firstFrameMs(url) {
  const times = [];
  for (let i = 0; i < 3; i++) {
    const {browser, close} = await h.launch();
    try {
      const page = await h.open(browser, url);
      times.push(await page.evaluate(() => Module.reedshot.firstFrameMs));
    } finally {
      await close();
    }
  }
  return median(times);
}

(async () => {
  const server = await h.serve();
  try {
    console.log(`RATIO web_first_frame_ms ${(await firstFrameMs(server.url)).toFixed(1)}`);
  } finally {
    server.stop();
  }
  const wasm = fs.readFileSync(path.join(h.site, 'reedshot.wasm'));
  const gzipped = zlib.gzipSync(wasm, {level: 9}).length;
  console.log(`RATIO web_wasm_gzip_mb ${(gzipped / 1e6).toFixed(3)}`);
  const native = demoSeconds(process.env.REEDSHOT_NATIVE || path.join(h.root, 'build', 'reedshot'), []);
  const web = demoSeconds('node', ['--no-experimental-fetch',
                                   path.join(h.root, 'build-web', 'reedshot_node.js')]);
  console.log(`RATIO web_demo_vs_native ${(native / web).toFixed(3)}`);
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
