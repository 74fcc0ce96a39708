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
  let core = null;
  let computed = null;  // the six values of the run on show
  let plot = null;

  function say(text) {
    status.textContent = text;
  }

  function nextFrame() {
    return new Promise((resolve) => setTimeout(resolve, 0));
  }

  function plural(count, one, many) {
    return `${count.toLocaleString('en')} ${count === 1 ? one : many}`;
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
      say(`${plural(refused, 'value', 'values')} of the six cannot be read, as marked beside ${refused === 1 ? 'it' : 'them'}; nothing was computed.`);
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

  // The curve of the angle against H, the numbers the workbook holds; a NaN angle (no
  // angle in the chart) leaves a gap. uPlot wants the heights rising.
  function showChart(run) {
    let heights = Array.from(run.heights());
    let angles = Array.from(run.angles(), (angle) => (Number.isNaN(angle) ? null : angle));
    if (heights.length > 1 && heights[0] > heights[heights.length - 1]) {
      heights = heights.reverse();
      angles = angles.reverse();
    }
    const element = document.getElementById('chart');
    const width = Math.max(Math.min(element.clientWidth || 720, 720), 280);
    if (plot) {
      plot.destroy();
    }
    plot = new uPlot({
      width,
      height: Math.round(width * 0.5),
      // H from 0 (or from the last height, below 0) to the last height, as in the workbook.
      scales: {
        x: { time: false, range: (_, min, max) => [Math.min(0, min), Math.max(0, max)] },
        y: { range: [0, 90] },
      },
      axes: [
        { label: 'H (m)' },
        { label: 'angle (degrees)', splits: () => [0, 10, 20, 30, 40, 50, 60, 70, 80, 90] },
      ],
      series: [
        { label: 'H (m)', value: (_, v) => (v === null ? '\u2013' : v.toFixed(2)) },
        { label: 'angle (degrees)', stroke: '#0645ad', width: 2, spanGaps: false,
          value: (_, v) => (v === null ? '\u2013' : v.toFixed(0)) },
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
  // Enter was pressed again, and if so stops, showing nothing of its own.
  let latestRun = 0;
  async function compute() {
    const thisRun = ++latestRun;
    const values = readFields();
    if (!values) {
      return;
    }
    const typed = fields.map((field) => field.value.trim());
    const run = new core.PageRun(values);
    try {
      const rows = run.rows();
      while (!run.advance(rowsPerSlice)) {
        say(`Computing: ${run.done().toLocaleString('en')} of ${plural(rows, 'row', 'rows')}\u2026`);
        await nextFrame();
        if (thisRun !== latestRun) {
          return;
        }
      }
      computed = values;
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
    const chunks = new core.ResultFileChunks(computed);
    const parts = [];
    try {
      for (let piece = chunks.next(); piece !== null; piece = chunks.next()) {
        parts.push(piece);
        if (parts.length % 256 === 0) {
          say(`Making ZELM_FS_result.xls: ${(parts.length * 64).toLocaleString('en')} KiB\u2026`);
          await nextFrame();
        }
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
