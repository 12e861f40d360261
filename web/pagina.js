// SPDX-License-Identifier: MIT
// The page: it shows what the engine's worker answers and sends it what the
// user does. Every text of the demonstration comes from the engine; the
// page only lays it out.
"use strict";

const $ = (id) => document.getElementById(id);

// ---- The worker, one order at a time --------------------------------------

const trabajador = new Worker("trabajador.js");
const pendientes = new Map();
let siguiente = 0;

trabajador.onmessage = (evento) => {
  const { id, resultado, error } = evento.data;
  const p = pendientes.get(id);
  pendientes.delete(id);
  if (error) p.rechaza(new Error(error));
  else p.resuelve(resultado);
};

function pide(orden, datos, transferir = []) {
  const id = ++siguiente;
  return new Promise((resuelve, rechaza) => {
    pendientes.set(id, { resuelve, rechaza });
    trabajador.postMessage({ id, orden, datos }, transferir);
  });
}

// ---- Pictures -------------------------------------------------------------

function dibuja(lienzo, imagen) {
  if (!imagen) {
    lienzo.width = 0;
    lienzo.height = 0;
    return;
  }
  lienzo.width = imagen.ancho;
  lienzo.height = imagen.alto;
  if (imagen.ancho > 0 && imagen.alto > 0) {
    const datos = new ImageData(imagen.rgba, imagen.ancho, imagen.alto);
    lienzo.getContext("2d").putImageData(datos, 0, 0);
  }
}

// ---- Message boxes, one after the other, as the window shows them --------

let cola_de_mensajes = Promise.resolve();
function muestra_mensaje({ titulo, texto }) {
  cola_de_mensajes = cola_de_mensajes.then(
    () =>
      new Promise((hecho) => {
        const caja = $("mensaje");
        $("mensaje-titulo").textContent = titulo;
        $("mensaje-texto").textContent = texto.replaceAll("\r", "\n");
        caja.addEventListener("close", hecho, { once: true });
        caja.showModal();
      }),
  );
}

// ---- What the window shows --------------------------------------------------

const controles = ["LpASO", "LBloque", "LNumBloques", "LGrado", "LClave", "Estado"];

function muestra(vista) {
  const { estado, pictures } = vista;
  for (const c of controles) $(c).textContent = estado.textos[c];
  $("Txt_Grado").value = estado.textos.Txt_Grado;
  $("Txt_Clave").value = estado.textos.Txt_Clave;
  pictures.forEach((imagen, i) => {
    const lienzo = $("Picture" + (i + 1));
    dibuja(lienzo, imagen);
    const nombre = estado.pictures[i];
    lienzo.setAttribute("aria-label", nombre.nombre);
    lienzo.title = nombre.descripcion;
    lienzo.parentElement.querySelector("figcaption").textContent = nombre.nombre;
  });
  $("repite").disabled = !estado.puedeRepetir;
  $("guarda-marcada").disabled = !estado.hayMarcada;
  $("guarda-extraida").disabled = !estado.hayExtraida;
  document.body.dataset.paso = estado.paso;
  grado_en_uso = estado.grado;
  muestra_fuerza();
  estado.mensajes.forEach(muestra_mensaje);
}

// The window's own texts and the names a screen reader gives its controls.
let sin_lectura_espectro = "";

function pon_textos(t) {
  sin_lectura_espectro = t.sinLecturaEspectro;
  $("Frame1").querySelector("legend").textContent = t.datos;
  $("Frame2").querySelector("legend").textContent = t.actualizar;
  $("Label2").textContent = t.grado;
  $("Label1").textContent = t.clave;
  for (const [control, n] of Object.entries(t.accesibles)) {
    const elemento = $(control);
    if (!elemento) continue; // the window's Salir: a page is closed by its browser
    elemento.setAttribute("aria-label", n.nombre);
    elemento.setAttribute("aria-description", n.descripcion);
    if (elemento.tagName === "BUTTON") elemento.title = n.descripcion;
  }
}

// ---- The user's commands ----------------------------------------------------

let ocupado = Promise.resolve();
let hechas = 0;
// One command at a time, with the busy pointer while the engine works.
function orden(nombre, datos, transferir) {
  const hecho = ocupado.then(async () => {
    document.body.classList.add("ocupado");
    try {
      const r = await pide(nombre, datos, transferir);
      if (r && r.vista) muestra(r.vista);
      return r;
    } finally {
      document.body.classList.remove("ocupado");
      document.body.dataset.hechas = ++hechas; // for whoever waits on the page: tests, say
    }
  });
  ocupado = hecho.catch(() => {});
  return hecho;
}

async function abre_archivo(rol, archivo) {
  const bytes = await archivo.arrayBuffer();
  return orden("abre", { rol, nombre: archivo.name, bytes }, [bytes]);
}

async function abre_muestras() {
  for (const [rol, nombre] of [[0, "imagen.bmp"], [1, "marca.bmp"]]) {
    const respuesta = await fetch("samples/" + nombre);
    await abre_archivo(rol, new File([await respuesta.arrayBuffer()], nombre));
  }
}

async function descarga(que, nombre) {
  const { imagen } = await orden("descarga", { que });
  if (!imagen) return;
  const lienzo = document.createElement("canvas");
  dibuja(lienzo, imagen);
  lienzo.toBlob((blob) => baja(blob, nombre), "image/png");
}

function baja(blob, nombre) {
  const enlace = document.createElement("a");
  enlace.href = URL.createObjectURL(blob);
  enlace.download = nombre;
  enlace.click();
  setTimeout(() => URL.revokeObjectURL(enlace.href), 1000);
}

async function descarga_informe() {
  const { texto } = await orden("informe");
  baja(new Blob([texto], { type: "application/json" }), "informe.json");
}

function conecta_demostracion() {
  for (const entrada of document.querySelectorAll("input[type=file]")) {
    entrada.addEventListener("change", () => {
      if (entrada.files.length) abre_archivo(Number(entrada.dataset.rol), entrada.files[0]);
      entrada.value = "";
    });
  }
  // A picture dropped on the host's or the watermark's box opens there.
  for (const figura of document.querySelectorAll("figure[data-rol]")) {
    figura.addEventListener("dragover", (e) => {
      e.preventDefault();
      figura.classList.add("soltando");
    });
    figura.addEventListener("dragleave", () => figura.classList.remove("soltando"));
    figura.addEventListener("drop", (e) => {
      e.preventDefault();
      figura.classList.remove("soltando");
      const archivo = e.dataTransfer.files[0];
      if (archivo) abre_archivo(Number(figura.dataset.rol), archivo);
    });
  }
  $("muestras").addEventListener("click", abre_muestras);
  $("Command1").addEventListener("click", () => orden("paso"));
  $("reset").addEventListener("click", () => orden("reset"));
  $("repite").addEventListener("click", () => orden("repite"));
  $("Cmd_Grado").addEventListener("click", () =>
    orden("aplica", { parametro: 0, texto: $("Txt_Grado").value }),
  );
  $("Cmd_Clave").addEventListener("click", () =>
    orden("aplica", { parametro: 1, texto: $("Txt_Clave").value }),
  );
  $("guarda-marcada").addEventListener("click", () => descarga("marcada", "marcada.png"));
  $("guarda-extraida").addEventListener("click", () => descarga("extraida", "extraida.png"));
  $("guarda-informe").addEventListener("click", descarga_informe);
}

// ---- The laboratory -----------------------------------------------------------

function pon_ataques(ataques) {
  const tipo = $("ataque");
  for (const a of ataques) tipo.add(new Option(a.nombre, a.nombre));
  const limita = () => {
    const a = ataques[tipo.selectedIndex];
    const valor = $("valor");
    valor.min = a.desde;
    valor.max = a.hasta;
    valor.step = a.entero ? 1 : "any";
    valor.value = a.inicial;
  };
  tipo.addEventListener("change", limita);
  limita();
}

let grado_en_uso = 0;
let muestra_fuerza = () => {};

function pon_metodos(metodos) {
  const metodo = $("metodo");
  for (const m of metodos) metodo.add(new Option(m.titulo, m.nombre));
  const limita = () => {
    const m = metodos[metodo.selectedIndex];
    const fuerza = $("fuerza");
    fuerza.min = m.desde;
    fuerza.max = m.hasta;
    fuerza.step = m.entera ? 1 : "any";
    fuerza.value = m.inicial;
    muestra_fuerza();
  };
  // The block pairs' strength is the degree in force, shown, not edited.
  muestra_fuerza = () => {
    const bloques = metodos[metodo.selectedIndex].deLaDemostracion;
    $("fuerza").disabled = bloques;
    if (bloques) $("fuerza").value = grado_en_uso;
  };
  metodo.addEventListener("change", limita);
  limita();
}

// Pairs by residue (or by the fraction of the step another method's reading
// looks at), light and dark pixels apart, before, after and attacked.
function dibuja_histograma(h) {
  const lienzo = $("histograma");
  const c = lienzo.getContext("2d");
  c.clearRect(0, 0, lienzo.width, lienzo.height);
  lienzo.dataset.nombre ??= lienzo.getAttribute("aria-label"); // the response's title replaces it
  lienzo.setAttribute("aria-label", lienzo.dataset.nombre);
  const series = [
    ["antes", "#969696", "#5a5a5a"],
    ["despues", "#56b4e9", "#0072b2"],
    ["atacada", "#e69f00", "#d55e00"],
  ].filter(([s]) => h[s]);
  if (!series.length) return;
  const n = h[series[0][0]].claros.length;
  let mayor = 1;
  for (const [s] of series) mayor = Math.max(mayor, ...h[s].claros, ...h[s].oscuros);
  const izquierda = 40, abajo = 20, ancho = lienzo.width - izquierda - 10;
  const alto = lienzo.height - abajo - 10;
  const grupo = ancho / n, barra = grupo / (series.length * 2 + 1);
  series.forEach(([s, claro, oscuro], k) => {
    [h[s].claros, h[s].oscuros].forEach((cuentas, clase) => {
      c.fillStyle = clase ? oscuro : claro;
      cuentas.forEach((v, r) => {
        const alto_barra = (v / mayor) * alto;
        const x = izquierda + r * grupo + (k * 2 + clase + 0.5) * barra;
        c.fillRect(x, 10 + alto - alto_barra, barra, alto_barra);
      });
    });
  });
  c.fillStyle = "black";
  c.font = "11px sans-serif";
  c.fillText(String(mayor), 2, 18);
  c.fillText("0", 2, 10 + alto);
  const paso = n <= 8 ? 1 : n <= 16 ? 2 : Math.ceil(n / 8);
  for (let r = 0; r < n; r += paso) {
    c.fillText(String(r), izquierda + (r + 0.4) * grupo, lienzo.height - 5);
  }
}

// The detector's response: sim for each wrong key (small dots), the true
// key (a large dot) and the threshold (dashed), as the window draws it.
function dibuja_respuesta(r) {
  const lienzo = $("histograma");
  const c = lienzo.getContext("2d");
  c.clearRect(0, 0, lienzo.width, lienzo.height);
  lienzo.dataset.nombre ??= lienzo.getAttribute("aria-label");
  lienzo.setAttribute("aria-label", r.textos.titulo);
  const izquierda = 46, derecha = 10, arriba = 26, abajo = 48;
  const ancho = lienzo.width - izquierda - derecha, alto = lienzo.height - arriba - abajo;
  let menor = Math.min(0, r.sim), mayor = Math.max(r.sim, r.umbral);
  for (const v of r.falsas) (menor = Math.min(menor, v)), (mayor = Math.max(mayor, v));
  menor = Math.floor(menor) - 1;
  mayor = Math.ceil(mayor) + 1;
  const n = r.falsas.length;
  const x = (k) => izquierda + ((k + 1) / (n + 2)) * ancho; // k = 0: the true key
  const y = (v) => arriba + ((mayor - v) / (mayor - menor)) * alto;
  c.strokeStyle = "#999";
  c.strokeRect(izquierda, arriba, ancho, alto);
  c.fillStyle = "black";
  c.font = "13px sans-serif";
  c.textAlign = "center";
  c.fillText(r.textos.titulo, lienzo.width / 2, 16);
  c.font = "11px sans-serif";
  c.fillText(r.textos.ejeClave, izquierda + ancho / 2, lienzo.height - 22);
  for (const k of [0, Math.round(n / 4), Math.round(n / 2), Math.round((3 * n) / 4), n]) {
    c.textAlign = k === n ? "right" : "center"; // the last key inside the canvas
    c.fillText(String(r.clave + k), x(k), arriba + alto + 14);
  }
  c.textAlign = "right";
  const paso = Math.max(1, Math.ceil((mayor - menor) / 6 / 5) * 5);
  for (let v = Math.ceil(menor / paso) * paso; v <= mayor; v += paso) {
    c.fillText(String(v), izquierda - 4, y(v) + 4);
  }
  c.save();
  c.translate(12, arriba + alto / 2);
  c.rotate(-Math.PI / 2);
  c.textAlign = "center";
  c.fillText(r.textos.ejeSim, 0, 0);
  c.restore();
  c.fillStyle = "#0072b2";
  r.falsas.forEach((v, k) => c.fillRect(x(k + 1) - 1, y(v) - 1, 2, 2));
  c.fillStyle = "#d55e00";
  c.beginPath();
  c.arc(x(0), y(r.sim), 5, 0, 2 * Math.PI);
  c.fill();
  c.strokeStyle = "black";
  c.setLineDash([6, 4]);
  c.beginPath();
  c.moveTo(izquierda, y(r.umbral));
  c.lineTo(izquierda + ancho, y(r.umbral));
  c.stroke();
  c.setLineDash([]);
  // The legend, under the axis.
  let lx = izquierda;
  c.textAlign = "left";
  for (const [color, texto] of [
    ["#0072b2", r.textos.falsas],
    ["#d55e00", r.textos.verdadera],
    ["black", r.textos.umbral],
  ]) {
    c.fillStyle = color;
    c.fillRect(lx, lienzo.height - 12, 8, 8);
    c.fillStyle = "black";
    c.fillText(texto, lx + 12, lienzo.height - 4);
    lx += c.measureText(texto).width + 36;
  }
}

async function analiza(evento) {
  evento.preventDefault();
  const ataque = $("ataque").value + ":" + $("valor").value;
  $("cifras").textContent = "Calculando…";
  const r = await orden("analiza", {
    imagen: $("imagen").value,
    metodo: $("metodo").value,
    fuerza: Number($("fuerza").value),
    ataque,
  });
  if (r.motivo !== undefined && !r.atacada) {
    $("cifras").textContent = r.motivo;
    return;
  }
  dibuja($("atacada"), r.atacada);
  dibuja($("leida"), r.detectada ? null : r.leida);
  $("sin-lectura").textContent = r.detectada ? sin_lectura_espectro : "";
  dibuja($("diferencia"), r.diferencia);
  $("cifras").textContent = r.cifras;
  document.body.dataset.correctos = r.correctos ?? "";
  document.body.dataset.total = r.total ?? "";
  document.body.dataset.sim = r.respuesta?.sim ?? "";
  if (r.respuesta) dibuja_respuesta(r.respuesta);
  else dibuja_histograma(r.histograma); // empty when the detector could not compare
}

// ---- Start -------------------------------------------------------------------

async function inicia() {
  const partes = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
  const separador = partes.find((p) => p.type === "decimal")?.value ?? ".";
  const r = await orden("inicia", { separador });
  pon_textos(r.textos);
  pon_ataques(r.ataques);
  pon_metodos(r.metodos);
  conecta_demostracion();
  $("eleccion").addEventListener("submit", analiza);
  document.body.dataset.listo = "1";
  document.body.dataset.listoMs = performance.now().toFixed(0);
}

inicia();
