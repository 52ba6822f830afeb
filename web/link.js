// The page in its link: the open tab and every input of every tab in the URL's
// fragment, such as #design&d=2&u=inch&c=15-365&s=10&b=530-1700, written as the
// user types (replacing the history entry, never adding one) and read when the
// page opens or the fragment changes. Numbers are written with '.' as the decimal
// point whatever the language. The fields are the pages' inputs and lists by id,
// so a field a page gains is in the link without a change here (its id is its key).
'use strict';

// Short keys for the fields there are; two ids under one key are written "low-high".
const kLinkKeys = {
  dia: ['Text16'], turns: ['Text15'],                       // inductance
  uh: ['Text9'], pf: ['Text10'],                            // frequency
  ld: ['Text19'], ln: ['Text20'], ll: ['Text21'],           // loose coil
  kind: ['designCoilKind'], spokes: ['designSpokes'],
  d: ['designDiameter'], u: ['designUnits'], od: ['designWireOd'], bare: ['designWireBare'],
  c: ['designCmin', 'designCmax'], s: ['designStray'], cq: ['designCapacitorQ'],
  b: ['designBandLow', 'designBandHigh'], p: ['designPitch'],
  leads: ['designLeads'],
};
const kLinkDelay = 250; // ms of quiet typing before the address changes

// "1,5" <-> "1.5" where ',' is the decimal point: a swap of two characters, so
// every text, a mistyped one too, comes back from its link as it was typed.
function SwapDecimal(text, decimal) {
  if (decimal === '.') return text;
  return [...text].map(c => (c === decimal ? '.' : c === '.' ? decimal : c)).join('');
}

// "#design&d=2&c=15-365" -> {tab: 'design', values: Map {d: '2', c: '15-365'}}; a
// part that does not decode is dropped, and the last of a repeated key counts.
function ReadFragment(hash) {
  const values = new Map();
  let tab = '';
  for (const part of hash.replace(/^#/, '').split('&')) {
    const at = part.indexOf('=');
    try {
      if (at < 0) tab = tab || decodeURIComponent(part);
      else values.set(decodeURIComponent(part.slice(0, at)), part.slice(at + 1).replace(/\+/g, ' '));
    } catch (e) { /* a malformed escape: the part is not there */ }
  }
  return {tab, values};
}

function StartLink(separators) {
  const byId = id => document.getElementById(id);
  const fields = [...document.querySelectorAll('.page input:not(.result), .page select:not(.preset)')]
      .filter(field => field.id && !field.readOnly && !field.closest('#designTapsGroup')); // not the taps panel's
  // Each field's key and its place in a pair; an id of no key is its own key.
  const keyOf = new Map();
  // (no patterns in for-of: emscripten's optimizer drops them)
  for (const key in kLinkKeys) kLinkKeys[key].forEach((id, i, ids) => keyOf.set(id, [key, i, ids.length]));
  for (const field of fields) if (!keyOf.has(field.id)) keyOf.set(field.id, [field.id, 0, 1]);
  const initial = new Map(fields.map(field => [field, field.value]));
  const toLink = text => encodeURIComponent(SwapDecimal(text, separators.decimal)).replace(/-/g, '%2D');
  const fromLink = text => SwapDecimal(decodeURIComponent(text), separators.decimal);

  const fragment = () => {
    const tab = document.querySelector('[role=tab][aria-selected=true]').getAttribute('aria-controls');
    const parts = [encodeURIComponent(tab)], written = new Set();
    for (const field of fields) {
      const [key, , size] = keyOf.get(field.id);
      if (written.has(key)) continue;
      const group = fields.filter(each => keyOf.get(each.id)[0] === key);
      // A field is written when it holds something, or when it was emptied.
      if (group.every(each => each.value === '' && initial.get(each) === '')) continue;
      written.add(key);
      const texts = Array.from({length: size}, (_, i) => group.find(each => keyOf.get(each.id)[1] === i));
      parts.push(`${encodeURIComponent(key)}=${texts.map(each => (each ? toLink(each.value) : '')).join('-')}`);
    }
    return '#' + parts.join('&');
  };

  // The printed page ends with the date and the link that opens the same design.
  const printed = byId('printed');
  const describe = () => {
    printed.textContent = `${new Date().toLocaleDateString(navigator.language, {dateStyle: 'long'})}  ${location.href}`;
  };
  let timer = 0;
  const write = () => {
    clearTimeout(timer);
    timer = 0;
    const hash = fragment();
    if (location.hash !== hash) history.replaceState(history.state, '', hash);
    describe();
  };
  const later = () => { clearTimeout(timer); timer = setTimeout(write, kLinkDelay); };

  // Fields not in the link take their opening texts; lists first, as a person
  // would choose the units before typing lengths, then every text at once, then
  // the events the page acts on (the design computes from them).
  const restore = () => {
    const {tab, values} = ReadFragment(location.hash);
    const linked = new Map();
    for (const key of values.keys()) {
      const text = values.get(key), ids = kLinkKeys[key] || (fields.some(field => field.id === key) ? [key] : []);
      const texts = ids.length > 1 ? text.split('-') : [text];
      ids.forEach((id, i) => { try { linked.set(id, fromLink(texts[i] || '')); } catch (e) { /* not text */ } });
    }
    const changed = [];
    for (const field of [...fields].sort((a, b) => (b.tagName === 'SELECT') - (a.tagName === 'SELECT'))) {
      let text = linked.has(field.id) ? linked.get(field.id) : initial.get(field);
      if (field.tagName === 'SELECT') {
        const wanted = text.toLowerCase(), options = [...field.options];
        const option = options.find(o => o.text.toLowerCase() === wanted) ||
                       options.filter(o => o.text.toLowerCase().startsWith(wanted)).find((o, _, all) => all.length === 1);
        if (!option || option.selected) continue; // a unit nobody has keeps the one shown
        field.value = option.value;
        field.dispatchEvent(new Event('change', {bubbles: true}));
      } else if (field.value !== text) {
        field.value = text;
        changed.push(field);
      }
    }
    for (const field of changed) field.dispatchEvent(new Event('input', {bubbles: true}));
    const tabButton = byId(`tab-${tab}`);
    if (tabButton && tabButton.getAttribute('role') === 'tab' && !tabButton.hidden) tabButton.click();
  };

  restore();
  describe(); // the address as opened, until something changes
  document.addEventListener('input', later);
  document.addEventListener('change', later);
  byId('SSTab1').addEventListener('click', later);
  byId('SSTab1').addEventListener('keydown', later);
  window.addEventListener('hashchange', () => { restore(); write(); });
  window.addEventListener('pagehide', () => timer && write());

  const copy = byId('copyLink'), status = byId('linkStatus');
  copy.addEventListener('click', () => {
    write();
    const done = () => { status.textContent = 'Link copied'; setTimeout(() => { status.textContent = ''; }, 3000); };
    if (navigator.clipboard) return navigator.clipboard.writeText(location.href).then(done, () => { CopyByCommand(location.href); done(); });
    CopyByCommand(location.href);
    done();
  });
  copy.disabled = false;
}
