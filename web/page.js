// The page's own script: it hands the typed text to the calculator's core (ZelmCore,
// the program's C++ compiled to WebAssembly and inlined in this page) and lays out
// what comes back: a run of the six values, or the check of a slope that stands. Every
// number, rounding and byte comes from the core, and every sentence and title too (its
// say(), which fills a sentence's slots with the texts the script gives it, and its
// pageWords()); the script only places them and writes the numbers it fills in. Once
// it takes Enter, <html> gets data-state="starting"; once the core has started,
// data-state="ready" and the performance timeline the mark "zelm-ready"; once a run's
// result is painted, chart and all, the mark "zelm-drawn", and once a check's is,
// "zelm-check-drawn".
'use strict';

(function () {
  const root = document.documentElement;
  const status = document.getElementById('status');
  const form = document.getElementById('values');
  const fields = ['phi', 'cohesion', 'density', 'height', 'step', 'fs'].map((id) => document.getElementById(id));
  const result = document.getElementById('result');
  const checkForm = document.getElementById('check');
  const checkFields = ['phi', 'cohesion', 'density', 'height', 'angle'].map((id) => document.getElementById(`check-${id}`));
  const conditionFields = Object.fromEntries(['ru', 'water', 'crack', 'kh'].map((name) => [name, document.getElementById(`check-${name}`)]));
  const wetCrack = document.getElementById('check-wet-crack');
  const spreadFields = Object.fromEntries([['phiSd', 'phi-sd'], ['cohesionSd', 'cohesion-sd'], ['draws', 'draws'], ['seed', 'seed']]
    .map(([name, id]) => [name, document.getElementById(`check-${id}`)]));
  const checkAnswer = document.getElementById('check-answer');
  const checkSection = document.getElementById('check-section');
  const checkResult = document.getElementById('check-result');
  const rowsPerSlice = 200000;  // rows taken between two frames on a long sweep
  const downloads = ['download-text', 'download-workbook'].map((id) => document.getElementById(id));
  const units = document.getElementById('units');
  const angles = document.getElementById('angles');
  const checkUnits = document.getElementById('check-units');
  let core = null;
  let words = null;  // the core's pageWords(): the table's columns, titles and choices of units
  let computed = null;  // the six values of the run on show and its units, while the form still holds them
  let shown = null;  // the run on show, kept for its downloads, and its result file's bytes where it kept them
  let plot = null;
  let checkPlot = null;
  let histogramPlot = null;
  let checkLine = null;  // the answer on show, while the check's form still holds its values
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

  // The core's sentence under `key`, its slots filled with the texts given; a count, given
  // as a number, chooses the sentence's form and comes beside it written as the table
  // writes one (counted).
  function said(key, slots = {}) {
    return core.say(key, slots.count === undefined ? slots : { ...slots, counted: numberText(slots.count) });
  }

  // The labels of C' and d in a form, and the entered list's, after the units chosen in it.
  function showUnits(select) {
    const labels = words.units[select.value];
    select.form.querySelectorAll('[data-unit]').forEach((span) => { span.textContent = `(${labels[span.dataset.unit]})`; });
    select.form.querySelectorAll('[data-name]').forEach((span) => { span.textContent = labels[span.dataset.name]; });
  }

  // The result on show no longer matches the form: it is marked, its downloads are off,
  // and a run or a download under way stops, until Enter computes again.
  function markOutOfDate() {
    latestRun += 1;
    if (running) {
      running = false;
      say(said('runStopped'));
    }
    if (computed === null || result.hidden) {
      return;
    }
    computed = null;
    result.classList.add('out-of-date');
    document.getElementById('out-of-date').hidden = false;
    downloads.forEach((button) => { button.disabled = true; });
    say(said('resultOutOfDate'));
  }

  function markCurrent(values) {
    computed = values;
    result.classList.remove('out-of-date');
    document.getElementById('out-of-date').hidden = true;
    downloads.forEach((button) => { button.disabled = false; });
  }

  // A field marked refused, with why beside it, or cleared (why empty).
  function markField(field, why) {
    if (why === '') {
      field.removeAttribute('aria-invalid');
    } else {
      field.setAttribute('aria-invalid', 'true');
    }
    document.getElementById(`${field.id}-error`).textContent = why;
  }

  // The fields of a form read by the core, each refused one marked and the first of them
  // given the focus: the values, or the number of fields refused.
  function readFields(list) {
    const values = list.map((field) => {
      const typed = field.value.trim();
      const read = core.readField(typed);
      markField(field, read.value !== null ? '' : (typed === '' ? said('enterAValue') : said('entryRefused', { typed, reason: read.reason })));
      return read.value;
    });
    const refused = list.filter((field) => field.hasAttribute('aria-invalid'));
    if (refused.length === 0) {
      return { values };
    }
    refused[0].focus();
    return { refused: refused.length };
  }

  function cell(tag, text) {
    const element = document.createElement(tag);
    element.textContent = text;
    return element;
  }

  // A value of a column beyond the file's as the table shows it, with the column's
  // decimals; an empty cell where there is none.
  function valueText(value, decimals) {
    return Number.isNaN(value) ? '' : numberText(value, decimals);
  }

  // Rows as the result file prints them (cells ended by TAB, rows by CR LF) into the
  // table body, without the space before each number, each with its values of the
  // columns beyond the file's (one array of numbers a column) after the file's cells:
  // the first ones at once, the rest a thousand a frame, so that ten thousand rows hold
  // nothing up. A newer run stops the rows of an older one.
  let tableRun = 0;
  function appendRows(body, text, values) {
    const escape = (value) => value.replace(/&/g, '&amp;').replace(/</g, '&lt;');
    const fileCells = words.columns.filter((column) => column.decimals === undefined).length;
    const beyond = words.columns.slice(fileCells);
    const rows = text.split('\r\n').filter((line) => line !== '').map((line, i) =>
      `<tr>${[...line.split('\t').slice(0, fileCells), ...beyond.map((column, c) => valueText(values[c][i], column.decimals))]
        .map((value) => `<td>${escape(value.trim())}</td>`).join('')}</tr>`);
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
    titles.replaceChildren(...words.columns.map(({ title }) => {
      const heading = cell('th', title);
      heading.scope = 'col';
      return heading;
    }));
    const body = document.querySelector('#rows tbody');
    body.replaceChildren();
    tableRun += 1;
    const first = run.firstRows();
    appendRows(body, first, run.firstColumns());
    const last = run.lastRows();
    const caption = document.getElementById('rows-caption');
    if (last === '') {
      caption.textContent = said('rowsCaption', { count: rows });
      return;
    }
    const shown = (first.split('\r\n').length - 1) + (last.split('\r\n').length - 1);
    const gap = document.createElement('tr');
    const note = cell('td', said('rowsNotShown', { count: rows - shown }));
    note.colSpan = words.columns.length;
    note.className = 'gap';
    gap.append(note);
    body.append(gap);
    appendRows(body, last, run.lastColumns());
    caption.textContent = said('endsCaption', { count: rows });
  }

  // A chart's size from its container: the width the page gives it, and at a phone's
  // width a height that keeps the angle's lines every 10 degrees apart.
  function chartSize(element) {
    const width = Math.max(Math.min(element.clientWidth || 720, 720), 240);
    return { width, height: Math.round(Math.max(width * 0.5, 260)) };
  }

  // Angles against H in the element, replacing the plot given: a null angle (no angle in
  // the chart) leaves a gap. The H axis keeps its labels apart by the width of the longest
  // (10 000 000 at a long sweep's end), and records them with their places (data-h-ticks)
  // so that this can be checked.
  function drawAngles(element, previous, heights, series, data, hooks = {}) {
    previous?.destroy();
    const characters = (...values) => Math.max(...values.map((value) => numberText(value).length));
    return new uPlot({
      ...chartSize(element),
      // Room on the right for half the last H label, which stands centred on the axis' end.
      padding: [12, Math.max(12, 4 * characters(heights[heights.length - 1] ?? 0)), 0, 0],
      // H from 0 (or from the last height, below 0) to the last height, as in the workbook.
      scales: {
        x: { time: false, range: (_, min, max) => [Math.min(0, min), Math.max(0, max)] },
        y: { range: [0, 90] },
      },
      axes: [
        {
          label: words.titles.height,
          space: (_, __, min, max) => Math.max(50, 24 + 7 * characters(min, max)),
          values: (u, splits) => {
            const labels = splits.map((value) => numberText(value));
            element.dataset.hTicks = JSON.stringify(splits.map((value, i) => [u.valToPos(value, 'x'), labels[i]]));
            return labels;
          },
        },
        { label: words.titles.angle, size: 40, splits: () => [0, 10, 20, 30, 40, 50, 60, 70, 80, 90] },
      ],
      series: [{ label: words.titles.height, value: (_, v) => (v === null ? '\u2013' : numberText(v, 2)) }, ...series],
      hooks,
    }, [heights, ...data], element);
  }

  // NaN, no angle, as uPlot's gap.
  const gaps = (angles) => Array.from(angles, (angle) => (Number.isNaN(angle) ? null : angle));

  // The confirmed angle's series: dashed, so that it is told from the angle without colour.
  const confirmedSeries = (label, decimals) => ({ label, stroke: '#1b7a3a', width: 2, dash: [6, 4], spanGaps: false,
    value: (_, v) => (v === null ? '\u2013' : numberText(v, decimals)) });

  // uPlot, which draws the charts, runs from its packed text when the first chart is
  // drawn, or before if the page is idle once the core has started; not as the page
  // opens, where its start (the browser's number and date formats) would hold back the
  // first result, whose rows and downloads need none of it.
  let plotter = null;
  function startPlotter() {
    plotter ??= unpacked('packed-plotter').then((stream) => new Response(stream).text()).then((text) => {
      const script = document.createElement('script');
      script.textContent = text;
      document.head.append(script);
    });
    return plotter;
  }

  // draw() into the chart element once uPlot has started, unless another drawing has been
  // asked of that element since: resolves with whether it was drawn.
  const latestDrawing = new Map();
  function drawWhenPlotted(element, draw) {
    const drawing = {};
    latestDrawing.set(element, drawing);
    return startPlotter().then(() => {
      if (latestDrawing.get(element) !== drawing) {
        return false;
      }
      draw();
      return true;
    });
  }

  // The curves of the angle and of the confirmed angle against H, the numbers the
  // workbook holds, drawn once uPlot has started; resolves with whether they were, which
  // they are not if another result is on show by then. uPlot wants the heights rising.
  function showChart(run) {
    let heights = Array.from(run.heights());
    let curves = [gaps(run.angles()), gaps(run.confirmed())];
    if (heights.length > 1 && heights[0] > heights[heights.length - 1]) {
      heights = heights.reverse();
      curves = curves.map((curve) => curve.reverse());
    }
    const element = document.getElementById('chart');
    return drawWhenPlotted(element, () => {
      plot = drawAngles(element, plot, heights, [
        { label: words.titles.angle, stroke: '#0645ad', width: 2, spanGaps: false,
          value: (_, v) => (v === null ? '\u2013' : numberText(v, 0)) },
        confirmedSeries(words.titles.confirmed, 0),
      ], curves);
    });
  }

  // A run in progress gives way to a newer one: between two slices it looks whether
  // Enter was pressed again, or a field edited, and if so stops, showing nothing of its own.
  async function compute() {
    const thisRun = ++latestRun;
    running = false;
    const { values, refused } = readFields(fields);
    if (!values) {
      say(said('sixRefused', { count: refused, earlier: result.hidden ? '' : said('resultForEarlier') }));
      return;
    }
    values.push(units.value, angles.value);
    const typed = fields.map((field) => field.value.trim());
    const run = new core.PageRun(values, () => thisRun !== latestRun);
    let kept = false;
    try {
      const rows = run.rows();
      const text = [];
      const advanced = (count) => {
        const over = run.advance(count);
        const piece = run.text();
        if (piece !== null) {
          text.push(piece);
        }
        return over;
      };
      while (!advanced(rowsPerSlice)) {
        running = true;
        say(said('computing', { done: numberText(run.done()), count: rows }));
        await nextFrame();
      }
      running = false;
      if (run.stopped()) {
        return;
      }
      shown?.run.delete();
      shown = { run, text: run.text() === null ? null : text };
      kept = true;
      markCurrent(values);
      document.getElementById('result-title').textContent = run.title();
      const warnings = run.warnings();
      document.getElementById('warnings').replaceChildren(...warnings.map((line) => cell('li', said('warning', { line }))));
      document.getElementById('entered').replaceChildren(...enteredList(fields, typed));
      result.hidden = false;
      const chart = showChart(run);
      showTable(run, rows);
      say(warnings.length === 0 ? said('rowsComputed', { count: rows })
        : said('rowsComputedWarned', { count: rows, warnings: said('warnings', { count: warnings.length }), lines: warnings.join(' ') }));
      if (await chart) {
        requestAnimationFrame(() => setTimeout(() => performance.mark('zelm-drawn'), 0));
      }
    } finally {
      if (!kept) {
        run.delete();
      }
    }
  }

  // The values typed, labelled, for the printed page, which leaves the forms out.
  function enteredList(list, typed) {
    return list.flatMap((field, i) => [
      cell('dt', document.querySelector(`label[for="${field.id}"]`).textContent),
      cell('dd', typed[i]),
    ]);
  }

  // The check of a slope that stands: the program's line for it beside the form, announced,
  // and the design curve of the FS it finds (the sweep's angle against H, the chart's own
  // angle, not the file's whole degrees) and the confirmed angle at that FS, with the
  // slope's point on them, whose place on the
  // canvas the chart records (data-slope-point) so that this can be checked. A value that
  // describes no slope is refused beside its field, in the program's words.
  function check() {
    const { values, refused } = readFields(checkFields);
    const earlier = checkResult.hidden ? '' : said('chartForEarlier');
    if (!values) {
      checkAnswer.textContent = said('fiveRefused', { count: refused, earlier });
      return;
    }
    values.push(checkUnits.value);
    const checked = core.check(values);
    const warned = document.getElementById('check-warning');
    warned.hidden = !checked.warning;
    warned.textContent = checked.warning ? said('warning', { line: checked.warning }) : '';
    if (checked.refused >= 0) {
      markField(checkFields[checked.refused], checked.line);
      checkFields[checked.refused].focus();
      checkAnswer.textContent = said('checkRefused', { earlier, line: checked.line });
      return;
    }
    const typed = checkFields.map((field) => field.value.trim());
    checkLine = checked.line;
    checkAnswer.textContent = checked.line;
    checkSection.classList.add('answered');
    checkSection.classList.remove('out-of-date');
    document.getElementById('check-entered').replaceChildren(...enteredList(checkFields, typed));
    document.getElementById('check-caption').textContent = said('checkCaption', { fs: checked.fs, height: typed[3], angle: typed[4] });
    checkResult.hidden = false;
    showBishop(values, typed);
    showProbability(values);
    const [height, angle] = [values[3], values[4]];
    const heights = Array.from(checked.heights);
    const curves = [gaps(checked.angles), gaps(checked.confirmed)];
    const element = document.getElementById('check-chart');
    return drawWhenPlotted(element, () => {
      checkPlot = drawAngles(element, checkPlot, heights, [
        { label: said('designCurve', { fs: checked.fs }), stroke: '#0645ad', width: 2, spanGaps: false,
          value: (_, v) => (v === null ? '\u2013' : numberText(v, 1)) },
        confirmedSeries(said('confirmedCurve', { fs: checked.fs }), 0),
        { label: said('slopePoint'), stroke: '#b00020', width: 0, paths: () => null,
          points: { show: true, size: 10, stroke: '#b00020', fill: '#b00020' },
          value: (_, v) => (v === null ? '\u2013' : numberText(v)) },
      ], [
        ...curves,
        heights.map((h) => (h === height ? angle : null)),  // the core's heights hold H exactly
      ], { draw: [(u) => { element.dataset.slopePoint = JSON.stringify([u.valToPos(height, 'x', true), u.valToPos(angle, 'y', true)]); }] });
      requestAnimationFrame(() => setTimeout(() => performance.mark('zelm-check-drawn'), 0));
    });
  }

  // Bishop's factor of safety beside the chart's, from the same values by the same core,
  // and the slope's section with the critical circle; or why the method gives none.
  // The slope stands under the conditions of their fields, read by the core as the
  // program reads its options: a refused one is marked, and said in place of the answer.
  const typedFields = (fields) => Object.fromEntries(Object.entries(fields).map(([name, field]) => [name, field.value.trim()]));
  const typedConditions = () => ({ ...typedFields(conditionFields), wetCrack: wetCrack.checked });

  function showBishop(values, typed) {
    const found = core.bishop(values, typedConditions());
    for (const [name, field] of Object.entries(conditionFields)) {
      markField(field, name === found.refusedCondition ? found.reason : '');
    }
    const figure = document.getElementById('check-circle');
    const line = document.getElementById('check-bishop');
    figure.hidden = !found.fs;
    if (!found.fs) {
      line.textContent = said('bishopNone', { reason: found.reason });
      return;
    }
    const shallow = found.under ? 'bishopShallowUnder' : 'bishopShallow';
    line.textContent = said(found.shallow ? shallow : 'bishopLine', { fs: found.fs, under: found.under, cautions: found.cautions });
    document.getElementById('check-section-title').textContent = said('sectionTitle');
    document.getElementById('check-circle-caption').textContent =
      said(found.shallow ? 'shallowCaption' : 'sectionCaption', { height: typed[3], angle: typed[4], ...found.texts });
    drawSection(document.getElementById('check-section-drawing'), values[3], values[4], found);
  }

  // The probability of failure, where a deviation is typed: the core's study of the draws
  // by Bishop's method, said in a line, and the histogram of their FS, the bins left of FS
  // 1 in red; or the field refused, marked. Nothing where Bishop's method answers nothing
  // for the slope itself, which its line says.
  function showProbability(values) {
    const typed = typedFields(spreadFields);
    const line = document.getElementById('check-probability');
    const figure = document.getElementById('check-histogram-figure');
    Object.values(spreadFields).forEach((field) => markField(field, ''));
    const studied = typed.phiSd === '' && typed.cohesionSd === '' ? { line: '', refused: '' } : core.probability(values, typedConditions(), typed);
    if (studied.refused) {
      markField(spreadFields[studied.refused], studied.line);
    }
    line.hidden = !studied.line;
    line.textContent = studied.line;
    figure.hidden = !studied.edges;
    if (!studied.edges) {
      return;
    }
    const edges = Array.from(studied.edges);
    const counts = Array.from(studied.counts);
    document.getElementById('check-histogram-caption').textContent =
      said('histogramCaption', { count: counts.reduce((sum, count) => sum + count, 0), width: String(studied.width) });
    const element = document.getElementById('check-histogram');
    drawWhenPlotted(element, () => {
      histogramPlot?.destroy();
      const bars = uPlot.paths.bars({ size: [1, Infinity], align: 1 });
      const series = (label, colour) => ({ label, fill: colour, stroke: colour, paths: bars, points: { show: false },
        value: (_, v) => (v === null ? '\u2013' : numberText(v)) });
      histogramPlot = new uPlot({
        ...chartSize(element),
        scales: { x: { time: false, range: (_, min, max) => [min, max + studied.width] }, y: { range: (_, __, max) => [0, max] } },
        axes: [{ label: said('fsAxis') }, { label: said('drawsAxis'), size: 60 }],
        series: [{ label: said('fsAxis'), value: (_, v) => (v === null ? '\u2013' : numberText(v, 3)) },
          series(said('failingDraws'), '#b00020'), series(said('standingDraws'), '#0645ad')],
      }, [edges, counts.map((count, i) => (edges[i] < 1 ? count : null)), counts.map((count, i) => (edges[i] < 1 ? null : count))], element);
      element.dataset.bins = JSON.stringify(counts);
      requestAnimationFrame(() => setTimeout(() => performance.mark('zelm-probability-drawn'), 0));
    });
  }

  // The section in the slope's own units, y upward (drawn as -y): the ground, toe ground,
  // face and crest, over the soil; the slip arc, below its centre, from where it leaves the
  // ground to where it enters the crest, or the crack's bottom; the centre as a dot; the
  // water table, from the toe to where it meets the ground, and the crack. Strokes keep
  // their width in pixels whatever the slope's size. A shallow slide (no centre, an
  // infinite radius) is drawn along the face.
  function drawSection(svg, height, angle, found) {
    const { circle, water, crackDepth } = found;
    const shallow = !Number.isFinite(circle.radius);
    const { centreX, centreY, radius, entryX, exitX } = shallow ? { ...circle, centreX: 0, centreY: height } : circle;
    const edge = angle >= 90 ? 0 : height / Math.tan((angle * Math.PI) / 180);
    const lowest = centreX > exitX && centreX < entryX ? centreY - radius : 0;
    const size = Math.max(entryX - Math.min(exitX, centreX), centreY - Math.min(lowest, 0));
    const margin = size * 0.08;
    const [left, right] = [Math.min(exitX, centreX, 0) - margin, Math.max(entryX, centreX, edge) + margin];
    const [top, bottom] = [Math.max(centreY, height) + margin, Math.min(lowest, 0) - margin];
    svg.setAttribute('viewBox', `${left} ${-top} ${right - left} ${top - bottom}`);
    const shape = (name, attributes) => {
      const element = document.createElementNS(svg.namespaceURI, name);
      for (const [key, value] of Object.entries(attributes)) {
        element.setAttribute(key, value);
      }
      return element;
    };
    const ground = [[left, 0], [0, 0], [edge, -height], [right, -height]];
    const line = { 'vector-effect': 'non-scaling-stroke' };
    const arcEnd = -(height - (crackDepth ?? 0));  // where the arc ends: the crest, or the crack's bottom
    const radii = `M ${exitX} 0 L ${centreX} ${-centreY} L ${entryX} ${arcEnd}`;
    const soil = [
      shape('polygon', { class: 'soil', points: [...ground, [right, -bottom], [left, -bottom]].join(' ') }),
      shape('polyline', { ...line, class: 'ground', points: ground.join(' ') })];
    const slip = shallow
      ? [shape('path', { ...line, class: 'arc', d: `M ${exitX} 0 L ${entryX} ${-height}` })]
      : [shape('path', { ...line, class: 'radii', d: radii }),
        shape('path', { ...line, class: 'arc', d: `M ${exitX} 0 A ${radius} ${radius} 0 0 0 ${entryX} ${arcEnd}` }),
        shape('circle', { class: 'centre', cx: centreX, cy: -centreY, r: size / 120 })];
    const wet = water === null ? [] : [shape('polyline', {
      ...line, class: 'water',
      points: (water <= edge ? ground : [[left, 0], [0, 0], [water, -height], [right, -height]]).join(' ') })];
    const crack = crackDepth === null ? [] : [shape('path', { ...line, class: 'crack', d: `M ${entryX} ${-height} L ${entryX} ${arcEnd}` })];
    svg.replaceChildren(svg.querySelector('title'), ...soil, ...wet, ...slip, ...crack);
  }

  // An edit of the check's form: the answer on show is for the earlier values.
  function markCheckOutOfDate() {
    if (checkLine === null) {
      return;
    }
    document.getElementById('check-warning').hidden = true;
    checkSection.classList.add('out-of-date');
    checkAnswer.textContent = said('checkOutOfDate', { line: checkLine });
    checkLine = null;
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

  // The result file: the bytes the run on show kept, or, where it was longer than the page
  // keeps, made again.
  async function downloadText() {
    if (shown.text !== null) {
      save('ZELM_FS_result.xls', shown.text, 'application/vnd.ms-excel');
      say(said('textReady'));
      return;
    }
    const thisRun = latestRun;
    const chunks = new core.ResultFileChunks(computed, () => thisRun !== latestRun);
    const parts = [];
    try {
      for (let piece = chunks.next(); piece !== null; piece = chunks.next()) {
        parts.push(piece);
        if (parts.length % 256 === 0) {
          say(said('makingText', { size: numberText(parts.length * 64) }));
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
    say(said('textReady'));
  }

  // The run on show's workbook, written a slice of rows at a time; it gives way to a newer
  // run or an edit, and the run it was for, replaced, frees it.
  async function downloadWorkbook() {
    const thisRun = latestRun;
    const { run } = shown;
    say(said('makingWorkbook'));
    const begun = run.beginWorkbook(() => thisRun !== latestRun);
    if (begun.reason !== undefined) {
      say(said('workbookRefused', { reason: begun.reason }));
      return;
    }
    while (!run.advanceWorkbook(rowsPerSlice)) {
      await nextFrame();
      if (thisRun !== latestRun) {
        return;
      }
    }
    const answer = run.finishWorkbook();
    if (answer.stopped) {
      return;
    }
    if (answer.reason !== undefined) {
      say(said('workbookRefused', { reason: answer.reason }));
      return;
    }
    save('ZELM_FS_result.xlsx', [answer.bytes], 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet');
    say(said('workbookReady'));
  }

  function fail(error) {
    root.dataset.state = 'failed';
    say(status.dataset.notStarted.replace('{error}', () => error));
    console.error(error);
  }

  // What the page holds gzipped and in base64, in an inert <template> (text there costs the
  // browser less than in a script), as the stream of its bytes inflated.
  async function unpacked(id) {
    const packed = await fetch(`data:application/gzip;base64,${document.getElementById(id).content.textContent}`);
    return packed.body.pipeThrough(new DecompressionStream('gzip'));
  }

  // The browser decodes the core, inflates it and compiles it as one stream, while the
  // fields already take what is typed and Enter waits for it.
  function startCore() {
    const wasm = unpacked('packed-core');
    return ZelmCore({
      instantiateWasm(imports, receive) {
        wasm.then((stream) => WebAssembly.instantiateStreaming(new Response(stream, { headers: { 'Content-Type': 'application/wasm' } }), imports))
          .then((made) => receive(made.instance, made.module), fail);
        return {};
      },
    });
  }

  // The notices, inflated when they are first opened.
  async function showNotices(details) {
    const pre = details.querySelector('pre');
    if (!details.open || pre.textContent !== '') {
      return;
    }
    pre.textContent = await new Response(await unpacked('packed-notices')).text();
  }

  const started = startCore().then((module) => {
    core = module;
    words = core.pageWords();
    for (const select of [units, checkUnits]) {
      [...select.options].forEach((option) => { option.textContent = words.units[option.value].offered; });
      showUnits(select);
    }
    root.dataset.state = 'ready';
    performance.mark('zelm-ready');
    // A failure to start uPlot is told when a chart is to be drawn.
    (window.requestIdleCallback ?? setTimeout)(() => startPlotter().catch(() => {}));
  });
  started.catch(fail);

  // What needs the core waits for it (started): the first Enter may come before it has.
  for (const select of [units, checkUnits]) {
    select.addEventListener('change', () => started.then(() => showUnits(select)));
  }
  form.addEventListener('input', markOutOfDate);
  window.addEventListener('resize', () => {
    plot?.setSize(chartSize(document.getElementById('chart')));
    checkPlot?.setSize(chartSize(document.getElementById('check-chart')));
  });
  checkForm.addEventListener('input', markCheckOutOfDate);
  checkForm.addEventListener('submit', (event) => {
    event.preventDefault();
    started.then(check).catch((error) => {
      checkAnswer.textContent = said('checkFailed', { error });
    });
  });
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    started.then(() => compute().catch((error) => say(said('runFailed', { error }))));
  });
  document.getElementById('download-text').addEventListener('click', () => {
    downloadText().catch((error) => say(said('textFailed', { error })));
  });
  document.getElementById('download-workbook').addEventListener('click', () => {
    try {
      downloadWorkbook();
    } catch (error) {
      say(said('workbookFailed', { error }));
    }
  });
  const notices = document.getElementById('notices');
  notices.addEventListener('toggle', () => showNotices(notices).catch(fail));
  // Enter is taken from here on; "ready" once the core has started.
  root.dataset.state = 'starting';
})();
