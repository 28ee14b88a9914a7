// Sound on the page through an AudioWorklet: the processor below runs on
// the browser's audio thread and plays what the program's mixer wrote
// (8-bit unsigned samples, the device's rate and channels), each sample
// held for as many output frames as the rates ask, as the device plays it.
// It asks the page for more before it runs dry; the page takes that much
// from the mixer's queue (web_device.js) and sends it over.
if (typeof document !== 'undefined') (function () {
  'use strict';
  var CHUNK = 512;  // source frames sent at a time
  var LOW = 1024;   // source frames the processor keeps ahead

  // The processor's own source, loaded as a module from a blob.
  var PROCESSOR = '(' + function (chunk, low) {
    registerProcessor('reedshot-wave', class extends AudioWorkletProcessor {
      constructor(options) {
        super();
        this.channels = options.processorOptions.channels;
        this.step = options.processorOptions.rate / sampleRate;
        this.queue = [];       // Uint8Arrays of whole frames
        this.offset = 0;       // the first unplayed frame of queue[0]
        this.queued = 0;       // frames queued from `offset` on
        this.position = 0;     // where in the current source frame the output is
        this.started = false;  // a source frame is playing
        this.left = this.right = 128;
        this.asked = 0;        // frames asked for that have not come
        this.port.onmessage = (event) => {
          this.queue.push(event.data);
          this.queued += event.data.length / this.channels;
          this.asked -= chunk;
        };
        this.ask();
      }
      ask() {
        while (this.queued + this.asked < low + chunk) {
          this.asked += chunk;
          this.port.postMessage(chunk);
        }
      }
      // Moves on to the next source frame (silence when none has come).
      next() {
        while (this.queue.length && this.offset * this.channels >= this.queue[0].length) {
          this.queue.shift();
          this.offset = 0;
        }
        this.left = this.right = 128;
        if (!this.queue.length) return;
        const at = this.offset * this.channels, samples = this.queue[0];
        this.offset++;
        this.queued--;
        this.left = samples[at];
        this.right = samples[at + this.channels - 1];
      }
      process(inputs, outputs) {
        const left = outputs[0][0], right = outputs[0][1] || outputs[0][0];
        for (let i = 0; i < left.length; i++) {
          // Output frame n plays source frame floor(n * step): the source
          // moves on by the whole frames the position passes.
          let advance = 1;
          if (this.started) {
            const position = this.position + this.step;
            advance = Math.floor(position);
            this.position = position - advance;
          }
          this.started = true;
          for (; advance > 0; advance--) this.next();
          left[i] = (this.left - 128) / 128;
          right[i] = (this.right - 128) / 128;
        }
        this.ask();
        return true;
      }
    });
  } + ')(' + CHUNK + ', ' + LOW + ');';

  // Plays the mixer's output on `context`: `take(bytes)` hands the next
  // samples; `heard(audible)` is told of each chunk sent. Resolves once the
  // sound plays, rejects when the browser has no AudioWorklet.
  Module.reedshotWorkletSound = function (context, rate, channels, take, heard) {
    var url = URL.createObjectURL(new Blob([PROCESSOR], {type: 'text/javascript'}));
    return context.audioWorklet.addModule(url).then(function () {
      URL.revokeObjectURL(url);
      var node = new AudioWorkletNode(context, 'reedshot-wave', {
        numberOfInputs: 0, outputChannelCount: [2],
        processorOptions: {rate: rate, channels: channels}});
      node.port.onmessage = function (event) {
        var samples = take(event.data * channels).slice();
        var audible = false;
        for (var i = 0; i < samples.length && !audible; i++) audible = samples[i] !== 128;
        node.port.postMessage(samples, [samples.buffer]);
        heard(audible);
      };
      node.connect(context.destination);
      return node;
    });
  };
  // The processor's source, for the page's tests.
  Module.reedshotWorkletSound.processor = PROCESSOR;
})();
