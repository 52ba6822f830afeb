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
      if (input.kind === 'sizes') { // fills the field before it, so not in the link (the class)
        const list = Element('select', {id: input.id, className: 'preset'});
        list.append(new Option('—'), ...input.sizes.map(size => new Option(size)));
        return fieldset.append(list);
      }
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

// The browser's region, "US" or "DE", by which the lengths start in inches or in millimetres.
function BrowserRegion() {
  try { return new Intl.Locale(navigator.language).maximize().region || ''; } catch (e) { return ''; }
}
// Whether a field is the taps panel's, which has its own handler.
const tapsGroupOf = (element) => element.closest('#designTapsGroup');

function StartDesign(separators) {
  const sep = [separators.decimal, separators.group];
  const byId = id => document.getElementById(id);
  const start = Module.designStart(...sep, BrowserRegion());
  const section = byId('design');
  section.querySelector('.groups').replaceChildren(...DesignForm(start.groups));
  const inputs = start.groups.flatMap(group => group.inputs);
  const [units, message, verdict, table, copy, copied, download] =
      ['designUnits', 'designMessage', 'designVerdict', 'designTable', 'designCopy', 'designCopied', 'designDownload']
          .map(byId);
  const presetFields = Object.fromEntries(inputs.filter(input => input.fills).map(input => [input.id, input.fills]));
  const lengths = inputs.filter(input => input.length);
  let hadGood = false, copyText = '', csvText = '', drawings = [], chosen = -1, mm = -1;
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

  // A click on a header, or Enter on it, sorts the rows by its numbers (by Q, say), again the other way round.
  let sortBy = {column: 0, descending: false};
  const sortOn = (column) => {
    sortBy = {column, descending: sortBy.column === column && !sortBy.descending};
    recompute();
  };
  // The header's unit on a line of its own (style.css): "L (µH)" -> "L ", "(µH)".
  const header = (text, column) => {
    const th = document.createElement('th');
    th.scope = 'col';
    th.tabIndex = 0;
    th.setAttribute('aria-sort', column !== sortBy.column ? 'none' : sortBy.descending ? 'descending' : 'ascending');
    th.addEventListener('click', () => sortOn(column));
    th.addEventListener('keydown', (event) => { if (event.key === 'Enter' || event.key === ' ') sortOn(column); });
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
      // The empty diameter of a page just opened waits with its example: no message yet.
      const mistake = !field || hadGood || field.value.trim();
      if (field && mistake) {
        field.setAttribute('aria-invalid', 'true');
        field.setAttribute('aria-describedby', 'designMessage');
      }
      message.textContent = (mistake ? view.message : '') + (hadGood ? kStale : '');
    } else {
      hadGood = true;
      message.textContent = '';
      copyText = view.copy;
      drawings = view.drawings;
      csvText = view.csv;
      table.tHead.rows[0].replaceChildren(...view.headers.map(header));
      const order = sortBy.descending ? -1 : 1;
      const rows = [...view.rows].sort((a, b) => order * (a[sortBy.column][2] - b[sortBy.column][2]));
      table.tBodies[0].replaceChildren(...rows.map(row => {
        const tr = document.createElement('tr');
        tr.dataset.row = String(row[0][2] - 1); // the row's place in the design, whatever the sorting
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
    copy.disabled = download.disabled = !hadGood || stale;
    showChosen(stale);
    afterShow();
  };
  // The row chosen (a cell focused or tapped) and its drawing for printing.
  const [saveSvg, print, printed] = ['designSvg', 'designPrint', 'printForm'].map(byId);
  const showChosen = (stale) => {
    [...table.tBodies[0].rows].forEach(tr => tr.classList.toggle('chosen', Number(tr.dataset.row) === chosen));
    saveSvg.disabled = print.disabled = stale || !drawings[chosen];
  };
  table.tBodies[0].addEventListener('focusin', (event) => {
    chosen = Number(event.target.closest('tr').dataset.row);
    showChosen(table.classList.contains('stale'));
  });
  // A solenoid's card with the taps panel's taps when the panel is on the chosen row.
  const chosenDrawing = () => (chosen === tapsRow && tapsDrawing) || drawings[chosen];
  saveSvg.addEventListener('click', () => {
    const wire = table.tBodies[0].querySelector(`tr[data-row="${chosen}"]`).cells[0].textContent.replace(/[^A-Za-z0-9]+/g, '');
    const link = Element('a', {href: URL.createObjectURL(new Blob([chosenDrawing()], {type: 'image/svg+xml'})),
                               download: 'coil-' + wire + '.svg'});
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });
  // The drawing alone on the sheet, its millimetres CSS millimetres (style.css, body.form-print).
  print.addEventListener('click', () => {
    printed.innerHTML = chosenDrawing().replace(/^<\?xml[^>]*>\s*/, '');
    document.body.classList.add('form-print');
    window.print();
  });
  window.addEventListener('afterprint', () => document.body.classList.remove('form-print'));
  const recompute = () => show(Module.design(...sep));

  section.addEventListener('input', (event) => {
    if (event.target.tagName !== 'INPUT' || tapsGroupOf(event.target)) return; // the lists act on change
    if (event.isTrusted) event.target.dataset.typed = 'true'; // a person's, not a link's
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
  // A wire size chosen writes its name into the field before it, which then shows the size it names.
  for (const input of inputs.filter(input => input.sizes)) {
    const list = byId(input.id), field = byId(inputs[inputs.indexOf(input) - 1].id);
    const match = () => { list.selectedIndex = input.names.indexOf(field.value.trim()) + 1; };
    field.addEventListener('input', match);
    list.addEventListener('change', () => {
      if (list.selectedIndex < 1) return;
      field.value = input.names[list.selectedIndex - 1];
      delete field.dataset.typed; // from a list: a name, whatever the unit
      recompute();
    });
  }
  // A unit changes what a screen reader hears with each length and the example
  // it shows. A number the user typed keeps its number, which now means the new
  // unit (40, then mm: 40 mm); one from a preset, a link's unit or a conversion converts.
  const applyUnits = (convert) => {
    const now = units.value === start.units[1] ? 1 : 0, changed = convert && now !== mm;
    mm = now;
    for (const input of lengths) {
      const field = byId(input.id);
      if (field.nextElementSibling.classList.contains('length')) field.nextElementSibling.textContent = input.unit[mm];
      field.setAttribute('aria-label', input.spoken[mm]);
      field.placeholder = input.placeholder[mm];
      if (changed && !field.dataset.typed && field.value.trim())
        field.value = Module.designConvert(field.value, mm === 1, ...sep);
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

  // Said in words beside the button, and by a screen reader (a status region), for a few seconds.
  let saidTimer = 0;
  const say = (text) => {
    copied.textContent = text;
    clearTimeout(saidTimer);
    saidTimer = setTimeout(() => { copied.textContent = ''; }, 4000);
  };
  // The taps panel: the selected row's coil tapped; the time each answer takes is kept for the benchmark.
  const tapsGroup = byId('designTapsGroup'), tapsTable = byId('designTapsTable');
  let tapsRow = -1, tapsDrawing = '';
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
    tapsDrawing = view.drawing;
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
    [...table.tBodies[0].rows].forEach(tr => {
      if (Number(tr.dataset.row) === index) tr.setAttribute('aria-current', 'true');
      else tr.removeAttribute('aria-current');
    });
    if (index === tapsRow) return;
    tapsRow = index;
    recomputeTaps();
  };
  // A cell focused, by a tap, a click or the arrow keys, selects its row.
  table.tBodies[0].addEventListener('focusin', (event) => selectRow(Number(event.target.closest('tr').dataset.row)));
  tapsGroup.addEventListener('input', recomputeTaps);
  // A new design: its rows drawn afresh keep the selected row, whose coil may have changed.
  afterShow = () => {
    selectRow(tapsRow);
    recomputeTaps();
  };
  afterShow();

  copy.addEventListener('click', () => {
    const done = () => say('Table copied, with its inputs');
    if (navigator.clipboard)
      return navigator.clipboard.writeText(copyText).then(done, () => { CopyByCommand(copyText); done(); });
    CopyByCommand(copyText);
    done();
  });
  download.addEventListener('click', () => {
    const link = Element('a', {href: URL.createObjectURL(new Blob([csvText], {type: 'text/csv'})),
                               download: 'spirelle-design.csv'});
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    say('CSV downloaded');
  });

  // Arrow keys move between the cells; from the table's box, Enter or Down enters the first cell.
  const scroll = table.parentElement;
  // A cell's whole value shows while it has focus: Esc, a second tap or a tap elsewhere closes it.
  const close = (cell) => { cell.blur(); scroll.focus({preventScroll: true}); };
  let wasFocused = null;
  scroll.addEventListener('pointerdown', (event) => { wasFocused = document.activeElement; });
  scroll.addEventListener('click', (event) => {
    const at = event.target.closest('td, th[scope=row]');
    if (at && at === wasFocused) close(at);
  });
  scroll.addEventListener('keydown', (event) => {
    const at = event.target.closest('td, th[scope=row]');
    if (at && event.key === 'Escape') { event.preventDefault(); return close(at); }
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
