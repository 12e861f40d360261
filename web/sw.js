// SPDX-License-Identifier: MIT
// Keeps the page, the engine and the samples on the student's machine, so
// that a class goes on when the network drops after the first visit. Every
// file is served from the keeping at once and asked for again behind it;
// when the page or the engine has changed, the page is told, and the new
// one is used at the next reload, never under a student at work.
"use strict";

const kGuardados = "zek";
const kArchivos = [
  "./",
  "index.html",
  "zek.css",
  "pagina.js",
  "trabajador.js",
  "zek.js",
  "zek.wasm",
  "manifest.webmanifest",
  "zek.svg",
  "samples/imagen.bmp",
  "samples/imagen.jpg",
  "samples/imagen.gif",
  "samples/marca.bmp",
  "samples/marca.jpg",
  "samples/marca.gif",
];

self.addEventListener("install", (e) => {
  e.waitUntil(
    caches
      .open(kGuardados)
      .then((c) => c.addAll(kArchivos))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener("activate", (e) => e.waitUntil(self.clients.claim()));

async function iguales(a, b) {
  const [x, y] = await Promise.all([a.arrayBuffer(), b.arrayBuffer()]);
  if (x.byteLength !== y.byteLength) return false;
  const u = new Uint8Array(x),
    v = new Uint8Array(y);
  return u.every((byte, i) => byte === v[i]);
}

// A page that loads while its files are compared may not be there to hear
// it: it also asks, once it is ready.
let hay_nueva = false;
async function avisa() {
  hay_nueva = true;
  for (const cliente of await self.clients.matchAll({ includeUncontrolled: true }))
    cliente.postMessage({ nueva: true });
}
self.addEventListener("message", (e) => {
  if (e.data === "nueva?" && hay_nueva) e.source.postMessage({ nueva: true });
});

// From the keeping first; the network's copy replaces it for next time.
async function responde(e) {
  const guardados = await caches.open(kGuardados);
  const guardada = await guardados.match(e.request, { ignoreSearch: true });
  // Past the browser's own cache: the server says whether it changed.
  const de_la_red = fetch(e.request.url, { cache: "no-cache" })
    .then(async (respuesta) => {
      if (!respuesta.ok) return respuesta;
      if (guardada && !(await iguales(guardada, respuesta.clone()))) await avisa();
      await guardados.put(e.request, respuesta.clone());
      return respuesta;
    })
    .catch(() => guardada);
  if (!guardada) return de_la_red;
  e.waitUntil(de_la_red);
  return guardada.clone(); // the page reads this one; the keeping's is compared
}

self.addEventListener("fetch", (e) => {
  if (e.request.method !== "GET" || new URL(e.request.url).origin !== self.location.origin) return;
  if (e.request.mode === "navigate") hay_nueva = false; // a page loads what is kept now
  e.respondWith(responde(e));
});
