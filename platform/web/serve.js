// A static web server for the site, from Node's standard library only:
// `node platform/web/serve.js DIR [PORT]` serves DIR on 127.0.0.1 (make
// web-run); the browser tests start it on a free port.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
};

// Only the files of dir itself: no listing, nothing above it.
function serve(dir, port, host = '127.0.0.1') {
  const server = http.createServer((req, res) => {
    let name = '';
    try {
      name = decodeURIComponent(new URL(req.url, 'http://x').pathname).slice(1) || 'index.html';
    } catch (e) {
      name = '/';  // a malformed escape names no file
    }
    const file = path.join(dir, path.basename(name));
    fs.readFile(file, (err, data) => {
      if (err || name.includes('/') || name.includes('\\')) {
        res.writeHead(404, {'Content-Type': 'text/plain'});
        res.end('not found\n');
        return;
      }
      res.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache'});
      res.end(data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, host, () => resolve(server));
  });
}

if (require.main === module) {
  const dir = process.argv[2];
  const port = Number(process.argv[3] || 8070);
  if (!dir || !fs.existsSync(path.join(dir, 'index.html'))) {
    console.error('usage: node serve.js SITE_DIR [PORT] (make web builds build-web/site)');
    process.exit(2);
  }
  serve(dir, port).then(() => {
    console.log(`Serving ${dir} on http://127.0.0.1:${port}/ (Ctrl+C stops)`);
  }, (e) => {
    console.error(`cannot serve on port ${port}: ${e.message}`);
    process.exit(1);
  });
}

module.exports = {serve};
