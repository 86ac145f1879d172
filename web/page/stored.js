// SPDX-License-Identifier: MIT
// What the page keeps across visits, in localStorage as JSON. Where the
// browser keeps nothing (storage off or full), the page goes on with what it
// has in memory.

export function loadStored(key, fallback) {
  try {
    const text = window.localStorage.getItem(key);
    return text === null ? fallback : JSON.parse(text);
  } catch {
    return fallback;
  }
}

// Whether value was stored; where not, it is kept for this visit only.
export function saveStored(key, value) {
  try {
    window.localStorage.setItem(key, JSON.stringify(value));
    return true;
  } catch {
    return false;
  }
}
