// Opened from a file, the page runs none of its modules: a browser loads
// modules, and so the engine, only from a server. Said on the page, as
// otherwise only the browser's console tells.
if (window.location.protocol === 'file:') {
  document.getElementById('Loading').hidden = true;
  const message = document.getElementById('Message');
  message.textContent = 'The engine cannot be loaded from a file: a browser loads it only over ' +
    'HTTP. Serve this folder, for example with scripts/web.sh serve, and open the address it prints.';
  message.hidden = false;
}
