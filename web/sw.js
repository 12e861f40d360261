// SPDX-License-Identifier: MIT
// Keeps the page, the engine and the samples on the student's machine, so
// that a class goes on when the network drops after the first visit. Every
// file is served from the keeping at once, and each load asks for them all
// again behind it; when the page or the engine has changed, the page is
// told, and the new one is used at the next reload, never under a student
// at work.
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

// Each kept file asked for again past the browser's own cache (the server
// says whether it changed): a changed one replaces the kept copy for the
// next load, and the page is told. All of them, at every load, since a
// page may take a file from its memory without asking for it.
async function revisa() {
  const guardados = await caches.open(kGuardados);
  let cambiado = false;
  await Promise.all(
    kArchivos.map(async (archivo) => {
      try {
        const respuesta = await fetch(archivo, { cache: "no-cache" });
        if (!respuesta.ok) return;
        const guardada = await guardados.match(archivo);
        if (guardada && (await iguales(guardada, respuesta.clone()))) return;
        await guardados.put(archivo, respuesta);
        cambiado ||= Boolean(guardada);
      } catch {
        // offline: the kept copies serve
      }
    }),
  );
  if (cambiado) await avisa();
}

// From the keeping first; from the network what was never kept.
async function responde(e) {
  const guardados = await caches.open(kGuardados);
  const guardada = await guardados.match(e.request, { ignoreSearch: true });
  if (guardada) return guardada;
  const respuesta = await fetch(e.request);
  if (respuesta.ok) await guardados.put(e.request, respuesta.clone());
  return respuesta;
}

self.addEventListener("fetch", (e) => {
  if (e.request.method !== "GET" || new URL(e.request.url).origin !== self.location.origin) return;
  if (e.request.mode === "navigate") {
    hay_nueva = false; // a page loads what is kept now
    e.waitUntil(revisa());
  }
  e.respondWith(responde(e));
});
