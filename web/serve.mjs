// A static web server for the built site, on 127.0.0.1 only: files under
// root, with the types a browser needs (application/wasm lets it compile the
// engine while it downloads).
//   node serve.mjs ROOT [PORT]    serves until stopped; PORT 0 picks a free one
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.ts': 'text/plain; charset=utf-8',
  '.svg': 'image/svg+xml',
};

async function answer(root, request, response) {
  const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
  const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
  if (!file.startsWith(root + sep)) {
    response.writeHead(403).end();
    return;
  }
  try {
    const body = await readFile(file);
    response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
}

// Starts serving root on port; resolves to the server and its address.
export function serve(root, port = 0) {
  const base = resolve(root);
  const server = createServer((request, response) => answer(base, request, response));
  return new Promise((done, fail) => {
    server.once('error', fail);
    server.listen(port, '127.0.0.1', () => {
      done({ server, url: `http://127.0.0.1:${server.address().port}/` });
    });
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const { url } = await serve(process.argv[2] || '.', Number(process.argv[3] || 8000));
  console.log(`Velmoro is served at ${url} (Ctrl+C stops it)`);
}
