// The band design's page: what the design window does, drawn on the page. The
// form is built from the design's list of inputs, and the design, its texts
// and messages come from pages/design, all through the binding
// (Module.design...); this only builds the form, fills the lists and draws the view.
'use strict';

const kStale = ' The table is still for the last good inputs.';

// An element with its properties and attributes.
function Element(tag, properties, attributes = {}) {
  const element = Object.assign(document.createElement(tag), properties);
  for (const name in attributes) element.setAttribute(name, attributes[name]);
  return element;
}

// The form's groups as the window lays them out: each a fieldset whose rows are
// caption, field and unit; the unit list stands in the unit's place of the length before it.
function DesignForm(groups) {
  return groups.map(group => {
    const fieldset = Element('fieldset', {className: 'group'});
    fieldset.append(Element('legend', {textContent: group.title}));
    group.inputs.forEach((input, i) => {
      if (input.kind === 'units') return fieldset.append(Element('select', {id: input.id}, {'aria-label': input.spoken[0]}));
      if (input.heading) fieldset.append(Element('p', {className: 'sub', textContent: input.heading}));
      fieldset.append(Element('label', {htmlFor: input.id, textContent: input.caption}));
      if (input.kind === 'presets') return fieldset.append(Element('select', {id: input.id, className: 'preset'}));
      if (input.kind === 'choice') {
        const list = Element('select', {id: input.id, className: 'choice'});
        list.append(...input.choices.map(choice => new Option(choice)));
        return fieldset.append(list);
      }
      fieldset.append(Element('input', {id: input.id},
                              {'aria-label': input.spoken[0], inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false'}));
      const next = group.inputs[i + 1];
      if (!input.unit[0] || (next && next.kind === 'units')) return;
      const unit = Element('span', {textContent: input.unit[0]}, {'aria-hidden': 'true'});
      if (input.length) unit.className = 'length';
      fieldset.append(unit);
    });
    return fieldset;
  });
}

// Whether a field is the taps panel's, which has its own handler.
const tapsGroupOf = (element) => element.closest('#designTapsGroup');

function StartDesign(separators) {
  const sep = [separators.decimal, separators.group];
  const byId = id => document.getElementById(id);
  const start = Module.designStart(...sep);
  const section = byId('design');
  section.querySelector('.groups').replaceChildren(...DesignForm(start.groups));
  const inputs = start.groups.flatMap(group => group.inputs);
  const [units, message, verdict, table, copy] =
      ['designUnits', 'designMessage', 'designVerdict', 'designTable', 'designCopy'].map(byId);
  const presetFields = Object.fromEntries(inputs.filter(input => input.fills).map(input => [input.id, input.fills]));
  const lengths = inputs.filter(input => input.length);
  let hadGood = false, copyText = '';
  let afterShow = () => {}; // the taps panel's, once it is built

  units.replaceChildren(...start.units.map(unit => new Option(unit)));
  for (const input of inputs.filter(input => input.presets))
    byId(input.id).replaceChildren(...input.presets.map(label => new Option(label)));
  for (const texts of start.texts) byId(texts[0]).value = texts[1]; // (the optimizer drops a pattern here)

  // The list shows the preset the two fields now hold, or Custom (its last entry).
  const match = (list) => {
    const index = Module.designMatch(list, ...presetFields[list].map(id => byId(id).value), ...sep);
    byId(list).selectedIndex = index < 0 ? byId(list).length - 1 : index;
  };

  // The header's unit on a line of its own (style.css): "L (µH)" -> "L ", "(µH)".
  const header = (text) => {
    const th = document.createElement('th');
    th.scope = 'col';
    const at = text.indexOf(' (');
    th.append(at < 0 ? text : text.slice(0, at + 1));
    if (at >= 0) th.append(Object.assign(document.createElement('span'), {textContent: text.slice(at + 1)}));
    return th;
  };
  // A cell shows the rounded text; its whole value is the tool tip, and shows when it is tapped or focused.
  const cell = ([text, whole], column) => {
    const element = document.createElement(column ? 'td' : 'th');
    if (!column) element.scope = 'row';
    element.textContent = text;
    element.title = whole;
    element.tabIndex = -1;
    return element;
  };

  const show = (view) => {
    for (const field of document.querySelectorAll('#design [aria-invalid]')) {
      field.removeAttribute('aria-invalid');
      field.removeAttribute('aria-describedby');
    }
    if (!table.tHead.rows[0].cells.length) table.tHead.rows[0].replaceChildren(...view.headers.map(header));
    if (!view.good) {
      const field = byId(view.badField);
      // The empty diameter of a page just opened is a hint, not a mistake.
      if (field && (hadGood || field.value.trim())) {
        field.setAttribute('aria-invalid', 'true');
        field.setAttribute('aria-describedby', 'designMessage');
      }
      message.textContent = view.message + (hadGood ? kStale : '');
    } else {
      hadGood = true;
      message.textContent = '';
      copyText = view.copy;
      table.tHead.rows[0].replaceChildren(...view.headers.map(header));
      table.tBodies[0].replaceChildren(...view.rows.map(row => {
        const tr = document.createElement('tr');
        tr.append(...row.map(cell));
        return tr;
      }));
      const lines = view.verdict.join('\n');
      if (verdict.dataset.lines !== lines) { // a live region: announced only when it changes
        verdict.dataset.lines = lines;
        verdict.replaceChildren(...view.verdict.map(line => Object.assign(document.createElement('p'), {textContent: line})));
      }
    }
    const stale = hadGood && !view.good;
    table.classList.toggle('stale', stale);
    verdict.classList.toggle('stale', stale);
    if (stale) table.setAttribute('aria-describedby', 'designMessage');
    else table.removeAttribute('aria-describedby');
    copy.disabled = !hadGood || stale;
    afterShow();
  };
  const recompute = () => show(Module.design(...sep));

  section.addEventListener('input', (event) => {
    if (event.target.tagName !== 'INPUT' || tapsGroupOf(event.target)) return; // the lists act on change
    for (const list in presetFields)
      if (presetFields[list].includes(event.target.id)) match(list);
    recompute();
  });
  for (const list in presetFields) {
    match(list);
    byId(list).addEventListener('change', () => {
      const texts = Module.designPreset(list, byId(list).selectedIndex, ...sep);
      presetFields[list].forEach((id, i) => { if (texts.length) byId(id).value = texts[i]; });
      recompute();
    });
  }
  // A unit changes every length typed, and what a screen reader hears with each field.
  const applyUnits = (convert) => {
    const mm = units.value === start.units[1] ? 1 : 0;
    for (const input of lengths) {
      const field = byId(input.id);
      if (field.nextElementSibling.classList.contains('length')) field.nextElementSibling.textContent = input.unit[mm];
      field.setAttribute('aria-label', input.spoken[mm]);
      if (convert && field.value.trim()) field.value = Module.designConvert(field.value, mm === 1, ...sep);
    }
    recompute();
  };
  units.addEventListener('change', () => applyUnits(true));
  // An input for one coil kind is enabled only while that kind is chosen.
  const kinds = byId('designCoilKind');
  const enableForKind = () => {
    for (const input of inputs.filter(input => input.onlyFor)) byId(input.id).disabled = kinds.value !== input.onlyFor;
  };
  for (const input of inputs.filter(input => input.choices))
    byId(input.id).addEventListener('change', () => { enableForKind(); recompute(); });
  enableForKind();
  applyUnits(false);

  // The taps panel: the selected row's coil tapped; the time each answer takes is kept for the benchmark.
  const tapsGroup = byId('designTapsGroup'), tapsTable = byId('designTapsTable');
  let tapsRow = -1;
  tapsGroup.querySelector('.tapsFields').replaceChildren(...Module.tapsStart().flatMap(input => {
    const field = Element('input', {id: input.id, value: input.initial},
                          {'aria-label': input.spoken, inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false'});
    return [Element('label', {htmlFor: input.id, textContent: input.caption}), field,
            Element('span', {textContent: input.unit}, {'aria-hidden': 'true'})];
  }));
  const recomputeTaps = () => {
    const start = performance.now();
    const view = Module.designTaps(tapsRow, ...sep);
    tapsGroup.dataset.ms = String(performance.now() - start);
    byId('designTapsTitle').textContent = view.title;
    byId('designTapsMessage').textContent = view.message;
    for (const field of tapsGroup.querySelectorAll('input')) {
      const bad = field.id === view.badField;
      if (bad) {
        field.setAttribute('aria-invalid', 'true');
        field.setAttribute('aria-describedby', 'designTapsMessage');
      } else {
        field.removeAttribute('aria-invalid');
        field.removeAttribute('aria-describedby');
      }
    }
    if (view.badField) return; // the last figures stay until the field is good again
    tapsTable.tHead.rows[0].replaceChildren(...view.headers.map(header));
    tapsTable.tBodies[0].replaceChildren(...view.rows.map(row => {
      const tr = document.createElement('tr');
      tr.append(...row.map((text, column) => cell([text, text], column)));
      return tr;
    }));
  };
  const selectRow = (index) => {
    [...table.tBodies[0].rows].forEach((tr, i) => {
      if (i === index) tr.setAttribute('aria-current', 'true');
      else tr.removeAttribute('aria-current');
    });
    if (index === tapsRow) return;
    tapsRow = index;
    recomputeTaps();
  };
  // A cell focused, by a tap, a click or the arrow keys, selects its row.
  table.tBodies[0].addEventListener('focusin', (event) => selectRow(event.target.parentElement.sectionRowIndex));
  tapsGroup.addEventListener('input', recomputeTaps);
  // A new design: its rows drawn afresh keep the selected row, whose coil may have changed.
  afterShow = () => {
    selectRow(tapsRow);
    recomputeTaps();
  };
  afterShow();

  copy.addEventListener('click', () => {
    if (navigator.clipboard) return navigator.clipboard.writeText(copyText).catch(() => CopyByCommand(copyText));
    CopyByCommand(copyText);
  });

  // Arrow keys move between the cells; from the table's box, Enter or Down enters the first cell.
  const scroll = table.parentElement;
  scroll.addEventListener('keydown', (event) => {
    const at = event.target.closest('td, th[scope=row]');
    const rows = [...table.tBodies[0].rows];
    let next = null;
    if (!at && (event.key === 'Enter' || event.key === 'ArrowDown')) next = rows[0] && rows[0].cells[0];
    if (at) {
      const [row, column] = [rows.indexOf(at.parentElement), at.cellIndex];
      const moves = {ArrowUp: [row - 1, column], ArrowDown: [row + 1, column], ArrowLeft: [row, column - 1],
                     ArrowRight: [row, column + 1], Home: [row, 0], End: [row, at.parentElement.cells.length - 1]};
      const [r, c] = moves[event.key] || [-1, -1];
      next = rows[r] && rows[r].cells[c];
    }
    if (!next) return;
    event.preventDefault();
    next.focus();
  });
}

// Where the page is not a secure context (plain http from another host) there is no clipboard API.
function CopyByCommand(text) {
  const area = Object.assign(document.createElement('textarea'), {value: text, readOnly: true});
  area.style.position = 'fixed';
  area.style.opacity = '0';
  document.body.append(area);
  area.select();
  document.execCommand('copy');
  area.remove();
}
