// The page around the game: its message box, the end of the game, the
// loading and a failure to start (each saying what went wrong), and the
// prompt to click while the page does not have the keyboard.
'use strict';

var SorviPage = (function () {
  var waiting = [];
  var running = false;
  var failed = false;

  function element(id) {
    return document.getElementById(id);
  }

  function showNext() {
    var next = waiting.shift();
    element('message-caption').textContent = next[0];
    element('message-text').textContent = next[1];
    element('message').showModal();
  }

  // Keys reach the page only while it has the keyboard: embedded in
  // another page, it must be clicked first.
  function updatePrompt() {
    element('prompt').hidden = !running || document.hasFocus();
  }

  function gameGone() {
    running = false;
    element('game').classList.add('over');
    element('window').hidden = true;
    element('loading').hidden = true;
    element('foot').hidden = true;
  }

  element('message').addEventListener('close', function () {
    if (waiting.length > 0) showNext();
  });
  element('again').addEventListener('click', function () {
    location.reload();
  });
  window.addEventListener('focus', updatePrompt);
  window.addEventListener('blur', updatePrompt);
  element('prompt').addEventListener('pointerdown', function () {
    window.focus();
  });

  return {
    // A message with one OK, one after another, as a desktop box shows.
    showMessage: function (caption, text) {
      waiting.push([caption, text]);
      if (!element('message').open) showNext();
    },

    messageOpen: function () {
      return element('message').open || waiting.length > 0;
    },

    // The first frame is on the screen.
    started: function () {
      running = true;
      element('loading').hidden = true;
      updatePrompt();
    },

    loading: function (fraction) {
      element('progress').value = Math.min(fraction, 1);
    },

    // A tab cannot close itself: the page says the game has ended.
    showEnded: function () {
      gameGone();
      element('ended').hidden = false;
      element('again').focus();
    },

    // The first reason given is the one shown.
    fail: function (text) {
      if (failed) return;
      failed = true;
      gameGone();
      element('failed').textContent = text;
      element('failed').hidden = false;
    },

    showFailure: function () {
      SorviPage.fail('The game could not start in this browser' +
        (SorviPage.lastError ? ': ' + SorviPage.lastError : '.'));
    },

    lastError: ''
  };
})();

// A script of the page that did not load: its name and the server's answer.
window.addEventListener('error', function (e) {
  var script = e.target;
  if (!script || script.tagName !== 'SCRIPT') return;
  var name = script.src.replace(/^.*\//, '');
  fetch(script.src, { method: 'HEAD', cache: 'no-store' })
    .then(function (response) { return 'HTTP ' + response.status; },
      function () { return 'no answer from the server'; })
    .then(function (answer) {
      SorviPage.fail('The game could not load ' + name + ' (' + answer + ').');
    });
}, true);

// The game's WebAssembly, fetched and compiled while its JavaScript loads.
// Compiled from its bytes, so any static file host will do, whatever type
// it serves a .wasm file as.
var sorviCode = (function () {
  var name = 'sorvi-kadra99.wasm';
  if (location.protocol === 'file:') {
    return Promise.reject(new Error('The game cannot run from a file opened on disk: ' +
      'open it through a web server, for example `tools/web --serve`.'));
  }
  if (typeof WebAssembly !== 'object') {
    return Promise.reject(new Error('This browser cannot run WebAssembly, which the game needs.'));
  }
  // Counts the bytes as they come, for the loading bar.
  function read(response) {
    var total = Number(response.headers.get('Content-Length'));
    if (!response.body || !(total > 0)) return response.arrayBuffer();
    var reader = response.body.getReader();
    var parts = [];
    var got = 0;
    return (function next() {
      return reader.read().then(function (step) {
        if (!step.done) {
          parts.push(step.value);
          got += step.value.length;
          SorviPage.loading(got / total);
          return next();
        }
        var bytes = new Uint8Array(got);
        parts.reduce(function (at, part) { bytes.set(part, at); return at + part.length; }, 0);
        return bytes;
      });
    })();
  }
  return fetch(name)
    .then(function (response) {
      if (!response.ok) {
        throw new Error('The game could not load ' + name + ' (HTTP ' + response.status + ').');
      }
      return read(response);
    }, function () {
      throw new Error('The game could not load ' + name + ' (no answer from the server).');
    })
    .then(function (bytes) {
      return WebAssembly.compile(bytes).catch(function (error) {
        throw new Error('The game could not load ' + name + ': ' + error.message);
      });
    });
})();
sorviCode.catch(function (error) {
  SorviPage.fail(error.message);
});

var Module = {
  instantiateWasm: function (imports, receive) {
    sorviCode
      .then(function (code) {
        return WebAssembly.instantiate(code, imports).then(function (instance) {
          receive(instance, code);
        });
      })
      .catch(function (error) {
        SorviPage.fail(error.message);
      });
    return {};
  },
  print: function (text) {
    console.log(text);
  },
  printErr: function (text) {
    SorviPage.lastError = text;
    console.error(text);
  },
  onAbort: function (reason) {
    SorviPage.fail('The game stopped: ' + (reason || 'an internal error') + '.');
  }
};

// Offline play and installing as an app: the service worker keeps this
// build's files (service-worker.js). Only where the browser allows one
// (a page served over https or from this machine); the game never needs it.
if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  addEventListener('load', function () {
    navigator.serviceWorker.register('service-worker.js').catch(function () {});
  });
}
