// The page around the game: its message box, the end of the game, a
// failure to start, and the loading of the game's WebAssembly.
'use strict';

var SorviPage = (function () {
  var waiting = [];

  function element(id) {
    return document.getElementById(id);
  }

  function showNext() {
    var next = waiting.shift();
    element('message-caption').textContent = next[0];
    element('message-text').textContent = next[1];
    element('message').showModal();
  }

  element('message').addEventListener('close', function () {
    if (waiting.length > 0) showNext();
  });
  element('again').addEventListener('click', function () {
    location.reload();
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

    // A tab cannot close itself: the page says the game has ended.
    showEnded: function () {
      element('window').hidden = true;
      element('help').hidden = true;
      element('ended').hidden = false;
      element('again').focus();
    },

    showFailure: function () {
      element('window').hidden = true;
      element('help').hidden = true;
      element('failed').hidden = false;
    }
  };
})();

// The game's WebAssembly, fetched and compiled while its JavaScript loads.
// Compiled from its bytes, so any static file host will do, whatever type
// it serves a .wasm file as.
var sorviCode = fetch('sorvi-kadra99.wasm')
  .then(function (response) {
    if (!response.ok) throw new Error('sorvi-kadra99.wasm: ' + response.status);
    return response.arrayBuffer();
  })
  .then(function (bytes) {
    return WebAssembly.compile(bytes);
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
        console.error(error);
        SorviPage.showFailure();
      });
    return {};
  },
  print: function (text) {
    console.log(text);
  },
  printErr: function (text) {
    console.error(text);
  },
  onAbort: function () {
    SorviPage.showFailure();
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
