#pragma once

// Runs at the start of every document, in every frame, and tells the pane which address the
// element that has the focus leads to (its "href" attribute, resolved against the document), or
// null when that element has no such attribute. The engine's document lives in another process;
// with these reports the pane can answer at once when a page asks for a new window.
//
// A click on a link reports that link before the page sees the click, and a call of window.open
// reports the focus before the window is asked for, so the report always comes ahead of the
// request it belongs to.
inline constexpr const char* kPaneScriptChannel = "pane";

inline constexpr const char* kPaneScript = R"js(
(function () {
  'use strict';
  var handlers = window.webkit && window.webkit.messageHandlers;
  var channel = handlers && handlers.pane;
  if (!channel) return;
  var post = channel.postMessage.bind(channel);

  function hrefOf(element) {
    if (!element || typeof element.hasAttribute !== 'function' || !element.hasAttribute('href')) return null;
    if (typeof element.href === 'string') return element.href;
    var raw = element.getAttribute('href');
    try { return new URL(raw, document.baseURI).href; } catch (e) { return raw; }
  }

  // The focused element, looking into frames of the same origin.
  function focusedElement() {
    var element = document.activeElement;
    try {
      while (element && element.contentDocument && element.contentDocument.activeElement)
        element = element.contentDocument.activeElement;
    } catch (e) {}
    return element;
  }

  function report(element) {
    try { post(hrefOf(element)); } catch (e) {}
  }

  window.addEventListener('focusin', function () { report(focusedElement()); }, true);
  window.addEventListener('focusout', function () { report(null); }, true);
  window.addEventListener('keyup', function () { report(focusedElement()); }, true);
  window.addEventListener('click', function (event) {
    var target = event.target;
    var link = target && typeof target.closest === 'function' ? target.closest('a[href], area[href]') : null;
    report(link || focusedElement());
  }, true);

  var open = window.open;
  window.open = function () {
    report(focusedElement());
    return open.apply(window, arguments);
  };
})();
)js";
