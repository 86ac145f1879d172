// SPDX-License-Identifier: MIT
// The page offline: its service worker keeps every file of this build. When
// a new build's worker takes over an open page, the page loads again at
// once if nothing has been rolled yet (the address keeps the request and the
// seed); otherwise it says that a reload brings the new build.

export function keepOffline(nothingRolled, notice) {
  const workers = navigator.serviceWorker;
  if (workers === undefined) return;
  const updating = workers.controller !== null;
  workers.addEventListener('controllerchange', () => {
    if (!updating) return;
    if (nothingRolled()) {
      window.location.reload();
      return;
    }
    notice.textContent =
        'A new version of the page is ready: reload to use it.';
    notice.className = 'status';
    notice.toggleAttribute('hidden', false);
  });
  // Served where workers may not run (plain http away from this machine),
  // the page still works, only not offline.
  workers.register('service_worker.js').catch(() => {});
}
