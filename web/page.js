// The page around the handlers: tabs, presses, messages and notes. The
// computing is the C++ core's, compiled with this script into spirelle.js and
// run over this page's elements (page_binding.cpp), as the window runs it over
// its widgets. `Module` is the compiled core's.
'use strict';

// The browser language's decimal and digit-group separators, as the desktop
// takes its locale's; the core's parsing rules do the rest ('.' accepted,
// '.'-grouped texts refused where '.' groups digits).
function LocaleSeparators(language) {
  const parts = new Intl.NumberFormat(language).formatToParts(1234567.5);
  const part = type => (parts.find(p => p.type === type) || {value: ''}).value;
  return {decimal: part('decimal') || '.', group: part('group')};
}

// Tabs as the ARIA pattern has them: one tab stop, arrows, Home and End move between tabs.
function SetUpTabs() {
  const tabs = [...document.querySelectorAll('[role=tab]')];
  const select = (tab) => {
    for (const each of tabs) {
      const chosen = each === tab;
      each.setAttribute('aria-selected', String(chosen));
      each.tabIndex = chosen ? 0 : -1;
      document.getElementById(each.getAttribute('aria-controls')).hidden = !chosen;
    }
    tab.scrollIntoView({block: 'nearest', inline: 'nearest'}); // within the strip on a phone
  };
  const keys = {ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1};
  for (const tab of tabs) {
    tab.addEventListener('click', () => select(tab));
    tab.addEventListener('keydown', (event) => {
      const shown = tabs.filter(each => !each.hidden);
      const at = shown.indexOf(tab);
      let next = null;
      if (event.key in keys) next = shown[(at + keys[event.key] + shown.length) % shown.length];
      else if (event.key === 'Home') next = shown[0];
      else if (event.key === 'End') next = shown[shown.length - 1];
      if (!next) return;
      event.preventDefault();
      select(next);
      next.focus();
    });
  }
}

// The message of a failed calculation, in the page's own dialog; focus returns where it was.
function ShowMessage(text) {
  document.getElementById('errorText').textContent = text;
  document.getElementById('errorMessage').showModal();
}

// A result longer than its box ends in an ellipsis; a box without a note of
// its own then has its whole text as its tool tip.
function ShowWholeTexts(page) {
  for (const box of page.querySelectorAll('input.result:not([aria-describedby])'))
    box.title = box.scrollWidth > box.clientWidth ? box.value : '';
}

function StartPage() {
  const separators = LocaleSeparators(navigator.language);
  SetUpTabs();
  for (const page of document.querySelectorAll('.page > form')) {
    // A button press or Enter in an input runs the page's handler.
    page.addEventListener('submit', (event) => {
      event.preventDefault();
      const message = Module.press(page.dataset.button, separators.decimal, separators.group);
      ShowWholeTexts(page);
      if (message) ShowMessage(message);
    });
    page.querySelector('button').disabled = false;
  }
  StartDesign(separators);
  StartLink(separators);
  KeepOffline();
  document.documentElement.dataset.ready = 'true';
  performance.mark('spirelle-interactive');
}

// Served over HTTP(S), a service worker (sw.js) keeps the site's files, so the
// page opens and computes with no network after one visit; from file:// there is none.
function KeepOffline() {
  if (window.isSecureContext && 'serviceWorker' in navigator && location.protocol !== 'file:')
    navigator.serviceWorker.register('sw.js').catch(() => {});
}

// The core compiles asynchronously; the page starts once it can compute.
if (runtimeInitialized) StartPage();
else Module.onRuntimeInitialized = StartPage;
