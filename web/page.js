// The page's own script: it hands the typed text to the calculator's core (ZelmCore,
// the program's C++ compiled to WebAssembly and inlined in this page) and lays out
// what comes back. Every number, rounding and byte comes from the core; the script
// only places them. On start, <html> gets data-state="ready" and the performance
// timeline the mark "zelm-ready"; once a run's result is painted, the mark "zelm-drawn".
'use strict';

(function () {
  const root = document.documentElement;
  const status = document.getElementById('status');
  const form = document.getElementById('values');
  const fields = ['phi', 'cohesion', 'density', 'height', 'step', 'fs'].map((id) => document.getElementById(id));
  const result = document.getElementById('result');
  const rowsPerSlice = 200000;  // rows taken between two frames on a long sweep
  const downloads = ['download-text', 'download-workbook'].map((id) => document.getElementById(id));
  let core = null;
  let computed = null;  // the six values of the run on show, while the form still holds them
  let plot = null;
  let latestRun = 0;  // counts the runs begun and the edits made: a run or download checks it
  let running = false;  // a run is being taken in slices

  function say(text) {
    status.textContent = text;
  }

  function nextFrame() {
    return new Promise((resolve) => setTimeout(resolve, 0));
  }

  // A number as the table prints its cells: a decimal comma, never a thousands comma; from
  // five digits on, the whole part in groups of three set apart by a narrow space.
  function numberText(value, decimals) {
    const text = decimals === undefined ? String(Math.abs(value)) : Math.abs(value).toFixed(decimals);
    const [whole, fraction] = text.split('.');
    const grouped = /^\d{5,}$/.test(whole) ? whole.replace(/\B(?=(\d{3})+$)/g, '\u202f') : whole;
    return `${value < 0 && Number(text) !== 0 ? '-' : ''}${grouped}${fraction === undefined ? '' : `,${fraction}`}`;
  }

  function plural(count, one, many) {
    return `${numberText(count)} ${count === 1 ? one : many}`;
  }

  // The result on show no longer matches the form: it is marked, its downloads are off,
  // and a run or a download under way stops, until Enter computes again.
  function markOutOfDate() {
    latestRun += 1;
    if (running) {
      running = false;
      say('The values have changed: the run under way was stopped; press Enter to compute.');
    }
    if (computed === null || result.hidden) {
      return;
    }
    computed = null;
    result.classList.add('out-of-date');
    document.getElementById('out-of-date').hidden = false;
    downloads.forEach((button) => { button.disabled = true; });
    say('The values have changed: the result below is for the earlier ones, and its downloads are off until Enter computes again.');
  }

  function markCurrent(values) {
    computed = values;
    result.classList.remove('out-of-date');
    document.getElementById('out-of-date').hidden = true;
    downloads.forEach((button) => { button.disabled = false; });
  }

  // The six fields read by the core; each refused one marked, with why beside it.
  // The six values, or null when any is refused.
  function readFields() {
    const values = [];
    let firstRefused = null;
    for (const field of fields) {
      const error = document.getElementById(`${field.id}-error`);
      const typed = field.value.trim();
      const read = core.readField(typed);
      if (read.value === null) {
        field.setAttribute('aria-invalid', 'true');
        error.textContent = typed === '' ? 'Enter a value.' : `\u201c${typed}\u201d ${read.reason}.`;
        firstRefused = firstRefused || field;
      } else {
        field.removeAttribute('aria-invalid');
        error.textContent = '';
      }
      values.push(read.value);
    }
    if (firstRefused) {
      firstRefused.focus();
      const refused = fields.filter((field) => field.hasAttribute('aria-invalid')).length;
      say(`${plural(refused, 'value', 'values')} of the six cannot be read, as marked beside ${refused === 1 ? 'it' : 'them'}; nothing was computed${result.hidden ? '' : ', and the result below is for earlier values'}.`);
      return null;
    }
    return values;
  }

  function cell(tag, text) {
    const element = document.createElement(tag);
    element.textContent = text;
    return element;
  }

  // Rows as the result file prints them (cells ended by TAB, rows by CR LF) into the
  // table body, without the space before each number: the first ones at once, the
  // rest a thousand a frame, so that ten thousand rows hold nothing up. A newer run
  // stops the rows of an older one.
  let tableRun = 0;
  function appendRows(body, text) {
    const escape = (value) => value.replace(/&/g, '&amp;').replace(/</g, '&lt;');
    const rows = text.split('\r\n').filter((line) => line !== '').map((line) =>
      `<tr>${line.split('\t').slice(0, 4).map((value) => `<td>${escape(value.trim())}</td>`).join('')}</tr>`);
    const run = tableRun;
    const appendFrom = (first, count) => {
      if (run === tableRun && first < rows.length) {
        body.insertAdjacentHTML('beforeend', rows.slice(first, first + count).join(''));
        requestAnimationFrame(() => appendFrom(first + count, 1000));
      }
    };
    appendFrom(0, 200);
  }

  function showTable(run, rows) {
    const titles = document.getElementById('titles');
    titles.replaceChildren(...core.columnTitles().map((title) => {
      const heading = cell('th', title);
      heading.scope = 'col';
      return heading;
    }));
    const body = document.querySelector('#rows tbody');
    body.replaceChildren();
    tableRun += 1;
    const first = run.firstRows();
    appendRows(body, first);
    const last = run.lastRows();
    const caption = document.getElementById('rows-caption');
    if (last === '') {
      caption.textContent = `The ${plural(rows, 'row', 'rows')}, as the result file holds them`;
      return;
    }
    const shown = (first.split('\r\n').length - 1) + (last.split('\r\n').length - 1);
    const gap = document.createElement('tr');
    const note = cell('td', `\u2026 ${plural(rows - shown, 'row', 'rows')} not shown here; the downloads hold every row \u2026`);
    note.colSpan = 4;
    note.className = 'gap';
    gap.append(note);
    body.append(gap);
    appendRows(body, last);
    caption.textContent = `The first and last of the ${plural(rows, 'row', 'rows')}, as the result file holds them`;
  }

  // The chart's size from its container: the width the page gives it, and at a phone's
  // width a height that keeps the angle's lines every 10 degrees apart.
  function chartSize() {
    const width = Math.max(Math.min(document.getElementById('chart').clientWidth || 720, 720), 240);
    return { width, height: Math.round(Math.max(width * 0.5, 260)) };
  }

  // The curve of the angle against H, the numbers the workbook holds; a NaN angle (no
  // angle in the chart) leaves a gap. uPlot wants the heights rising. The H axis keeps
  // its labels apart by the width of the longest (10 000 000 at a long sweep's end), and
  // records them with their places (data-h-ticks) so that this can be checked.
  function showChart(run) {
    let heights = Array.from(run.heights());
    let angles = Array.from(run.angles(), (angle) => (Number.isNaN(angle) ? null : angle));
    if (heights.length > 1 && heights[0] > heights[heights.length - 1]) {
      heights = heights.reverse();
      angles = angles.reverse();
    }
    const element = document.getElementById('chart');
    if (plot) {
      plot.destroy();
    }
    const characters = (...values) => Math.max(...values.map((value) => numberText(value).length));
    plot = new uPlot({
      ...chartSize(),
      // Room on the right for half the last H label, which stands centred on the axis' end.
      padding: [12, Math.max(12, 4 * characters(heights[heights.length - 1] ?? 0)), 0, 0],
      // H from 0 (or from the last height, below 0) to the last height, as in the workbook.
      scales: {
        x: { time: false, range: (_, min, max) => [Math.min(0, min), Math.max(0, max)] },
        y: { range: [0, 90] },
      },
      axes: [
        {
          label: 'H (m)',
          space: (_, __, min, max) => Math.max(50, 24 + 7 * characters(min, max)),
          values: (u, splits) => {
            const labels = splits.map((value) => numberText(value));
            element.dataset.hTicks = JSON.stringify(splits.map((value, i) => [u.valToPos(value, 'x'), labels[i]]));
            return labels;
          },
        },
        { label: 'angle (degrees)', size: 40, splits: () => [0, 10, 20, 30, 40, 50, 60, 70, 80, 90] },
      ],
      series: [
        { label: 'H (m)', value: (_, v) => (v === null ? '\u2013' : numberText(v, 2)) },
        { label: 'angle (degrees)', stroke: '#0645ad', width: 2, spanGaps: false,
          value: (_, v) => (v === null ? '\u2013' : numberText(v, 0)) },
      ],
    }, [heights, angles], element);
  }

  // The values of the run as typed, for the printed page, which leaves the form out.
  function showEntered(typed) {
    document.getElementById('entered').replaceChildren(...fields.flatMap((field, i) => [
      cell('dt', document.querySelector(`label[for="${field.id}"]`).textContent),
      cell('dd', typed[i]),
    ]));
  }

  // A run in progress gives way to a newer one: between two slices it looks whether
  // Enter was pressed again, or a field edited, and if so stops, showing nothing of its own.
  async function compute() {
    const thisRun = ++latestRun;
    running = false;
    const values = readFields();
    if (!values) {
      return;
    }
    const typed = fields.map((field) => field.value.trim());
    const run = new core.PageRun(values, () => thisRun !== latestRun);
    try {
      const rows = run.rows();
      while (!run.advance(rowsPerSlice)) {
        running = true;
        say(`Computing: ${numberText(run.done())} of ${plural(rows, 'row', 'rows')}\u2026`);
        await nextFrame();
      }
      running = false;
      if (run.stopped()) {
        return;
      }
      markCurrent(values);
      document.getElementById('result-title').textContent = run.title();
      const warnings = run.warnings();
      document.getElementById('warnings').replaceChildren(...warnings.map((line) => cell('li', `Warning: ${line}`)));
      showEntered(typed);
      result.hidden = false;
      showChart(run);
      showTable(run, rows);
      say(`${plural(rows, 'row', 'rows')} computed${warnings.length > 0 ? `, with ${plural(warnings.length, 'warning', 'warnings')}: ${warnings.join(' ')}` : '.'}`);
      requestAnimationFrame(() => setTimeout(() => performance.mark('zelm-drawn'), 0));
    } finally {
      run.delete();
    }
  }

  function save(name, parts, type) {
    const url = URL.createObjectURL(new Blob(parts, { type }));
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    link.hidden = true;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  async function downloadText() {
    const thisRun = latestRun;
    const chunks = new core.ResultFileChunks(computed, () => thisRun !== latestRun);
    const parts = [];
    try {
      for (let piece = chunks.next(); piece !== null; piece = chunks.next()) {
        parts.push(piece);
        if (parts.length % 256 === 0) {
          say(`Making ZELM_FS_result.xls: ${numberText(parts.length * 64)} KiB\u2026`);
          await nextFrame();
        }
      }
      if (chunks.stopped()) {
        return;  // the values changed: this file is no longer the form's
      }
    } finally {
      chunks.delete();
    }
    save('ZELM_FS_result.xls', parts, 'application/vnd.ms-excel');
    say('ZELM_FS_result.xls is ready.');
  }

  function downloadWorkbook() {
    say('Making ZELM_FS_result.xlsx\u2026');
    const answer = core.workbook(computed);
    if (answer.reason !== undefined) {
      say(`Cannot write ZELM_FS_result.xlsx: ${answer.reason}.`);
      return;
    }
    save('ZELM_FS_result.xlsx', [answer.bytes], 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet');
    say('ZELM_FS_result.xlsx is ready.');
  }

  function fail(error) {
    root.dataset.state = 'failed';
    say(`The calculator could not start: ${error}`);
    console.error(error);
  }

  ZelmCore().then((started) => {
    core = started;
    form.addEventListener('input', markOutOfDate);
    window.addEventListener('resize', () => plot?.setSize(chartSize()));
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      compute().catch((error) => say(`The run failed: ${error}`));
    });
    document.getElementById('download-text').addEventListener('click', () => {
      downloadText().catch((error) => say(`Cannot make ZELM_FS_result.xls: ${error}`));
    });
    document.getElementById('download-workbook').addEventListener('click', () => {
      try {
        downloadWorkbook();
      } catch (error) {
        say(`Cannot make ZELM_FS_result.xlsx: ${error}`);
      }
    });
    root.dataset.state = 'ready';
    performance.mark('zelm-ready');
  }).catch(fail);
})();
