// Starts the calculator's core (ZelmCore, compiled to WebAssembly and inlined in
// this page), shows chart 1's angle at one point, offers a workbook with it and
// draws the first two rows of the traced run (H = 1 m and 2 m) with uPlot. When
// everything is in place, <html> gets data-state="ready" and the performance
// timeline the mark "zelm-ready"; on failure, data-state="failed" and the status
// line says why.
'use strict';

(function () {
  const root = document.documentElement;
  const status = document.getElementById('status');

  function fail(error) {
    root.dataset.state = 'failed';
    status.textContent = 'The calculator could not start: ' + error;
    console.error(error);
  }

  function offerWorkbook(bytes) {
    const link = document.getElementById('workbook');
    const type = 'application/vnd.openxmlformats-officedocument.spreadsheetml.sheet';
    link.href = URL.createObjectURL(new Blob([bytes], { type }));
    link.hidden = false;
  }

  function drawChart(heights, angles) {
    const element = document.getElementById('chart');
    const options = {
      width: Math.min(element.clientWidth || 640, 640),
      height: 320,
      scales: { x: { time: false } },
      axes: [{ label: 'H (m)' }, { label: 'angle (degrees)' }],
      series: [{ label: 'H (m)' }, { label: 'angle (degrees)', stroke: '#0645ad', width: 2 }],
    };
    return new uPlot(options, [heights, angles], element);
  }

  ZelmCore().then(function (core) {
    // x = tan(30 degrees)/1.5 on the chart's grid; y for H = 1 m and 2 m.
    const angles = [core.slopeAngle(0.38, 1.39), core.slopeAngle(0.38, 0.69)];
    document.getElementById('angle').textContent = angles[1].toFixed(4);
    const bytes = core.oneCellWorkbook(angles[1]);
    if (bytes === null) {
      throw new Error('the workbook could not be written');
    }
    offerWorkbook(bytes);
    drawChart([1, 2], angles);
    root.dataset.state = 'ready';
    performance.mark('zelm-ready');
  }).catch(fail);
})();
