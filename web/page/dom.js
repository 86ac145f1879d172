// SPDX-License-Identifier: MIT
// Making the page's elements: a name, its attributes and its text.

export function element(name, attributes = {}, text = '') {
  const made = document.createElement(name);
  for (const [key, value] of Object.entries(attributes)) {
    made.setAttribute(key, value);
  }
  if (text) made.textContent = text;
  return made;
}
