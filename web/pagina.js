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

// What the engine last wrote in each box: a box is rewritten only when the
// engine changes it, so that a value typed and not yet applied stays.
const en_las_cajas = {};

function muestra(vista) {
  const { estado, pictures } = vista;
  for (const c of controles) $(c).textContent = estado.textos[c];
  for (const caja of ["Txt_Grado", "Txt_Clave"]) {
    if (en_las_cajas[caja] === estado.textos[caja]) continue;
    en_las_cajas[caja] = estado.textos[caja];
    $(caja).value = estado.textos[caja];
  }
  pictures.forEach((imagen, i) => {
    const lienzo = $("Picture" + (i + 1));
    dibuja(lienzo, imagen);
    const nombre = estado.pictures[i];
    // An empty box takes little room, so that a projector shows the
    // laboratory under the demonstration from the start.
    lienzo.classList.toggle("vacia", estado.vacias[i]);
    lienzo.setAttribute("aria-label", nombre.nombre);
    lienzo.title = nombre.descripcion;
    lienzo.parentElement.querySelector("figcaption").textContent = nombre.nombre;
  });
  $("repite").disabled = !estado.puedeRepetir;
  $("guarda-marcada").disabled = !estado.hayMarcada;
  $("guarda-extraida").disabled = !estado.hayExtraida;
  $("guarda-informe").disabled = !estado.puedeRepetir && !estado.hayMarcada;
  barribles = estado.barribles;
  hay_entrada = estado.hayEntrada;
  pon_trabajos();
  document.body.dataset.paso = estado.paso;
  grado_en_uso = estado.grado;
  muestra_fuerza();
  estado.mensajes.forEach(muestra_mensaje);
}

// The window's own texts and the names a screen reader gives its controls.
let sin_lectura_espectro = "";
let textos = {};

function pon_textos(t) {
  textos = t;
  sin_lectura_espectro = t.sinLecturaEspectro;
  $("guia").textContent = t.guia;
  $("Frame1").querySelector("legend").textContent = t.datos;
  $("Frame2").querySelector("legend").textContent = t.actualizar;
  $("Label2").textContent = t.grado;
  $("Label1").textContent = t.clave;
  for (const [control, n] of Object.entries(t.accesibles)) {
    const elemento = $(control);
    if (!elemento) continue; // the window's Salir: a page is closed by its browser
    elemento.setAttribute("aria-description", n.descripcion);
    // A caption is named by its own text; a button's name keeps what it shows.
    if (elemento.tagName === "SPAN") continue;
    const visible = elemento.tagName === "BUTTON" ? elemento.textContent.trim() : "";
    const nombre = visible && !n.nombre.includes(visible) ? `${n.nombre} (${visible})` : n.nombre;
    elemento.setAttribute("aria-label", nombre);
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

// A watermarked picture, once accepted, comes up in the laboratory with its
// reading, as on the desktop.
async function abre_archivo(rol, archivo) {
  if (rol !== 2) olvida_trabajos();
  const bytes = await archivo.arrayBuffer();
  const r = await orden("abre", { rol, nombre: archivo.name, bytes }, [bytes]);
  if (rol === 2 && r.aceptada) {
    $("imagen").value = "abierta";
    $("eleccion").requestSubmit();
  }
  return r;
}

// The samples, with the README's degree and key applied, as the line says.
async function abre_muestras() {
  for (const [rol, nombre] of [[0, "imagen.bmp"], [1, "marca.bmp"]]) {
    const respuesta = await fetch("samples/" + nombre);
    await abre_archivo(rol, new File([await respuesta.arrayBuffer()], nombre));
  }
  await orden("aplica", { parametro: 0, texto: textos.gradoDeLasMuestras });
  await orden("aplica", { parametro: 1, texto: textos.claveDeLasMuestras });
  $("guia").textContent = textos.guiaDeLasMuestras;
}

// A picture saved in the format chosen: PNG and JPEG (at the quality
// given) by the browser's encoder, BMP by the engine's.
const kExtensiones = { PNG: "png", BMP: "bmp", JPEG: "jpg" };
async function descarga(que, nombre) {
  const formato = $("formato").value;
  const archivo = `${nombre}.${kExtensiones[formato]}`;
  if (formato === "BMP") {
    const { bytes } = await orden("bmp", { que });
    if (bytes) baja(new Blob([bytes], { type: "image/bmp" }), archivo);
    return;
  }
  const { imagen } = await orden("descarga", { que });
  if (!imagen) return;
  const lienzo = document.createElement("canvas");
  dibuja(lienzo, imagen);
  const calidad = Math.min(100, Math.max(0, $("calidad-guardar").valueAsNumber || 0)) / 100;
  lienzo.toBlob((blob) => baja(blob, archivo), `image/${formato.toLowerCase()}`, calidad);
}

function pon_formatos() {
  for (const f of textos.formatosDeImagen) $("formato").add(new Option(f));
  $("texto-calidad").textContent = textos.pideCalidad;
  $("calidad-guardar").value = textos.calidadPorDefecto;
  const muestra_calidad = () => ($("etiqueta-calidad").hidden = $("formato").value !== "JPEG");
  $("formato").addEventListener("change", muestra_calidad);
  muestra_calidad();
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

// A value typed into a box, applied; with a point where the page's
// numbers take a comma, the page says so and applies nothing.
function aplica(parametro, texto) {
  if (separador_decimal === "," && texto.includes(".")) {
    muestra_mensaje({ titulo: "ZEK", texto: textos.decimalesConComa });
    return Promise.resolve();
  }
  if (parametro === 1) olvida_trabajos(); // every job reads with the key
  return orden("aplica", { parametro, texto });
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
  $("reset").addEventListener("click", () => {
    olvida_trabajos();
    orden("reset");
  });
  $("repite").addEventListener("click", () => {
    olvida_trabajos();
    orden("repite");
  });
  $("Cmd_Grado").addEventListener("click", () => aplica(0, $("Txt_Grado").value));
  $("Cmd_Clave").addEventListener("click", () => aplica(1, $("Txt_Clave").value));
  // Enter in a box applies it, as its I button does.
  for (const [caja, boton] of [["Txt_Grado", "Cmd_Grado"], ["Txt_Clave", "Cmd_Clave"]]) {
    $(caja).addEventListener("keydown", (e) => {
      if (e.key !== "Enter") return;
      e.preventDefault();
      $(boton).click();
    });
  }
  $("guarda-marcada").addEventListener("click", () => descarga("marcada", "marcada"));
  $("guarda-extraida").addEventListener("click", () => descarga("extraida", "extraida"));
  $("guarda-informe").addEventListener("click", descarga_informe);
  $("hoja-de-clase").addEventListener("click", hoja_de_clase);
  $("acerca-de").addEventListener("click", () =>
    muestra_mensaje({ titulo: textos.tituloAcercaDe, texto: textos.acercaDe }),
  );
}

// ---- The handout ----------------------------------------------------------------

// The engine's handout laid out as a page: headings, paragraphs, pictures,
// tables and charts in millimetres, for the browser to print on A4 (the
// print style sheet shows the handout alone).
const kPxPorMm = 96 / 25.4;
const kEscalaDeImpresion = 3; // charts drawn at three times, sharp on paper

function lienzo_de(imagen, alto_mm) {
  const lienzo = document.createElement("canvas");
  dibuja(lienzo, imagen);
  lienzo.setAttribute("role", "img");
  if (alto_mm) lienzo.style.height = `${alto_mm}mm`;
  return lienzo;
}

const kEtiquetas = { titulo: "h1", seccion: "h2", apartado: "h3", parrafo: "p", destacado: "p",
  detalle: "p", pregunta: "p", orden: "pre" };

function bloque_de_la_hoja(b) {
  if (kEtiquetas[b.tipo]) {
    const e = document.createElement(kEtiquetas[b.tipo]);
    e.className = b.tipo;
    e.textContent = b.texto;
    return e;
  }
  const div = document.createElement("div");
  div.className = b.tipo;
  if (b.tipo === "espacio") div.style.height = `${b.mm}mm`;
  if (b.tipo === "figuras") {
    for (const f of b.figuras) {
      const figura = document.createElement("figure");
      const lienzo = lienzo_de(f);
      lienzo.style.height = `${b.mm}mm`;
      lienzo.setAttribute("aria-label", f.pie);
      const pie = document.createElement("figcaption");
      pie.textContent = f.pie;
      figura.append(lienzo, pie);
      div.append(figura);
    }
  }
  if (b.tipo === "tabla") {
    const tabla = document.createElement("table");
    const columnas = document.createElement("colgroup");
    for (const a of b.anchos) {
      const col = document.createElement("col");
      col.style.width = `${100 * a}%`;
      columnas.append(col);
    }
    tabla.append(columnas);
    b.filas.forEach((fila, i) => {
      const tr = tabla.insertRow();
      for (const texto of fila) {
        const celda = document.createElement(i ? "td" : "th");
        celda.textContent = texto;
        tr.append(celda);
      }
      // The reading's picture in a column of its own, after the words.
      if (i && b.miniaturas[i - 1]) {
        const m = lienzo_de(b.miniaturas[i - 1]);
        m.setAttribute("aria-label", "Marca leída");
        tr.insertCell().append(m);
      }
    });
    div.append(tabla);
  }
  if (b.tipo === "grafico" && b.grafico) {
    const lienzo = document.createElement("canvas");
    const ancho = 180, alto = b.mm; // the A4 page's width inside its margins
    lienzo.dataset.escala = kEscalaDeImpresion;
    lienzo.width = Math.round(ancho * kPxPorMm * kEscalaDeImpresion);
    lienzo.height = Math.round(alto * kPxPorMm * kEscalaDeImpresion);
    lienzo.style.width = `${ancho}mm`;
    lienzo.style.height = `${alto}mm`;
    lienzo.setAttribute("role", "img");
    lienzo.setAttribute("aria-label", b.grafico.titulo);
    dibuja_grafico(lienzo, b.grafico);
    div.append(lienzo);
  }
  return div;
}

async function hoja_de_clase() {
  const { documento } = await orden("hoja", {
    barrido: resultados.barrido?.filas ?? [],
    comparacion: resultados.comparacion?.comparacion,
    deteccion: resultados.deteccion?.deteccion,
  });
  const hoja = $("hoja");
  if (!documento) {
    muestra_mensaje({ titulo: "ZEK", texto: textos.hojaSinMarcada });
    return;
  }
  hoja.replaceChildren(...documento.bloques.map(bloque_de_la_hoja));
  hoja.hidden = false;
  document.body.dataset.hoja = ++hojas; // for whoever waits on it
  hoja.scrollIntoView();
  print();
}
let hojas = 0;

// ---- The pair inspector ------------------------------------------------------

// Pointing at (or tapping) a block of the host or of the watermarked picture
// shows what happened to its pair; one question to the engine at a time,
// the last place pointed at asked next.
function conecta_inspector() {
  const consejo = $("consejo");
  let pendiente = null, preguntando = false, fuera = true;
  const pregunta = async () => {
    if (preguntando || !pendiente) return;
    preguntando = true;
    const { x, y, cx, cy } = pendiente;
    pendiente = null;
    const { texto } = await pide("par", { x, y });
    consejo.textContent = texto;
    consejo.hidden = !texto || fuera;
    consejo.style.left = `${Math.min(cx + 12, innerWidth - consejo.offsetWidth - 4)}px`;
    consejo.style.top = `${Math.min(cy + 12, innerHeight - consejo.offsetHeight - 4)}px`;
    preguntando = false;
    pregunta();
  };
  for (const id of ["Picture1", "Picture3"]) {
    const lienzo = $(id);
    const mira = (e) => {
      const caja = lienzo.getBoundingClientRect();
      if (!caja.width || !caja.height) return;
      // The box's own pixels, however the page scales it.
      const x = Math.floor(((e.clientX - caja.left) * lienzo.width) / caja.width);
      const y = Math.floor(((e.clientY - caja.top) * lienzo.height) / caja.height);
      pendiente = { x, y, cx: e.clientX, cy: e.clientY };
      fuera = false;
      pregunta();
    };
    lienzo.addEventListener("pointermove", mira);
    lienzo.addEventListener("pointerdown", mira);
    lienzo.addEventListener("pointerleave", () => {
      pendiente = null;
      fuera = true;
      consejo.hidden = true;
    });
  }
}

// ---- The laboratory -----------------------------------------------------------

// The attacks by their titles in the one table, after "Sin ataque" (a
// brightness step of 0); each with its value's name and range.
function pon_ataques(ataques) {
  const tipo = $("ataque");
  tipo.add(new Option(textos.sinAtaque, ""));
  for (const a of ataques) tipo.add(new Option(a.titulo, a.nombre));
  const limita = () => {
    const a = ataques[tipo.selectedIndex - 1];
    const valor = $("valor");
    $("nombre-valor").textContent = a ? a.parametro : "";
    valor.disabled = !a;
    valor.min = a ? a.desde : 0;
    valor.max = a ? a.hasta : 0;
    valor.step = !a || a.entero ? 1 : "any";
    valor.value = a ? a.inicial : 0;
  };
  tipo.addEventListener("change", limita);
  tipo.selectedIndex = 1; // a JPEG to start with, the attack every class tries first
  limita();
}

let grado_en_uso = 0;
let muestra_fuerza = () => {};

function pon_metodos(metodos) {
  const metodo = $("metodo");
  for (const m of metodos) metodo.add(new Option(m.titulo, m.nombre));
  const limita = () => {
    const f = metodos[metodo.selectedIndex].fuerza;
    const fuerza = $("fuerza");
    fuerza.min = f.desde;
    fuerza.max = f.hasta;
    fuerza.step = f.entera ? 1 : "any";
    fuerza.value = f.inicial;
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

// A chart as the engine describes it (title, axes with their ticks and
// words, series with colours, strokes and legend words), drawn on a canvas;
// nothing to draw clears it. The page decides nothing about what it shows.
function dibuja_grafico(lienzo, g) {
  const c = lienzo.getContext("2d");
  c.setTransform(1, 0, 0, 1, 0, 0);
  c.clearRect(0, 0, lienzo.width, lienzo.height);
  // A canvas for print holds `escala` of its pixels in each CSS pixel.
  const escala = Number(lienzo.dataset.escala || 1);
  c.setTransform(escala, 0, 0, escala, 0, 0);
  const W = lienzo.width / escala, H = lienzo.height / escala;
  lienzo.dataset.nombre ??= lienzo.getAttribute("aria-label");
  lienzo.setAttribute("aria-label", g ? g.titulo : lienzo.dataset.nombre);
  if (!g) return;
  const color = ({ r, g, b }) => `rgb(${r}, ${g}, ${b})`;
  const guiones = { continuo: [], discontinuo: [6, 4], punteado: [2, 3] };
  c.font = "11px sans-serif";
  // The legend's entries in as many lines as they need, under the axis.
  const lineas = [[]];
  let ancho_linea = 46;
  for (const s of g.series) {
    const w = c.measureText(s.nombre).width + 28;
    if (ancho_linea + w > W - 10 && lineas.at(-1).length) {
      lineas.push([]);
      ancho_linea = 46;
    }
    lineas.at(-1).push(s);
    ancho_linea += w;
  }
  const izquierda = 46, derecha = g.yDerecho ? 46 : 14, arriba = 26;
  const abajo = 34 + 14 * lineas.length;
  const ancho = W - izquierda - derecha, alto = H - arriba - abajo;
  const X = (v) => izquierda + ((v - g.x.desde) / (g.x.hasta - g.x.desde)) * ancho;
  const Y = (eje, v) => arriba + ((eje.hasta - v) / (eje.hasta - eje.desde)) * alto;
  c.fillStyle = "black";
  c.textAlign = "center";
  c.font = "13px sans-serif";
  c.fillText(g.titulo, W / 2, 16);
  c.font = "11px sans-serif";
  c.strokeStyle = "#ccc";
  c.lineWidth = 1;
  c.setLineDash([]);
  c.strokeRect(izquierda, arriba, ancho, alto);
  for (const m of g.x.marcas) {
    c.textAlign = X(m.valor) + c.measureText(m.texto).width / 2 > W ? "right" : "center";
    c.fillText(m.texto, X(m.valor), arriba + alto + 14);
  }
  c.textAlign = "center";
  c.fillText(g.x.titulo, izquierda + ancho / 2, arriba + alto + 28);
  const eje_vertical = (eje, x, alineado, x_titulo, giro) => {
    c.textAlign = alineado;
    for (const m of eje.marcas) c.fillText(m.texto, x, Y(eje, m.valor) + 4);
    c.save();
    c.translate(x_titulo, arriba + alto / 2);
    c.rotate(giro);
    c.textAlign = "center";
    c.fillText(eje.titulo, 0, 0);
    c.restore();
  };
  eje_vertical(g.y, izquierda - 4, "right", 10, -Math.PI / 2);
  if (g.yDerecho) eje_vertical(g.yDerecho, izquierda + ancho + 4, "left", W - 8, Math.PI / 2);
  c.save();
  c.beginPath();
  c.rect(izquierda, arriba, ancho, alto);
  c.clip();
  const barras = g.series.filter((s) => s.tipo === "barras");
  for (const s of g.series) {
    const eje = s.ejeDerecho && g.yDerecho ? g.yDerecho : g.y;
    c.fillStyle = c.strokeStyle = color(s.color);
    if (s.tipo === "barras") {
      // Bars side by side around each category, as Qt Charts sets them.
      const k = barras.indexOf(s), grupo = X(1) - X(0), barra = grupo / (barras.length + 1);
      s.y.forEach((v, i) => {
        const x = X(s.x[i]) - grupo / 2 + (k + 0.5) * barra;
        c.fillRect(x, Y(eje, v), barra, Y(eje, eje.desde) - Y(eje, v));
      });
    } else if (s.tipo === "puntos") {
      const r = Math.max(s.grosor, 2) / 2;
      s.x.forEach((x, i) => {
        c.beginPath();
        c.arc(X(x), Y(eje, s.y[i]), r, 0, 2 * Math.PI);
        c.fill();
      });
    } else {
      c.lineWidth = s.grosor;
      c.setLineDash(guiones[s.trazo]);
      c.beginPath();
      s.x.forEach((x, i) => c[i ? "lineTo" : "moveTo"](X(x), Y(eje, s.y[i])));
      c.stroke();
      c.setLineDash([]);
      if (s.conPuntos) s.x.forEach((x, i) => c.fillRect(X(x) - 2, Y(eje, s.y[i]) - 2, 4, 4));
    }
  }
  c.restore();
  c.textAlign = "left";
  lineas.forEach((linea, n) => {
    let x = izquierda;
    const y = H - 6 - 14 * (lineas.length - 1 - n);
    for (const s of linea) {
      c.fillStyle = color(s.color);
      c.fillRect(x, y - 8, 10, 8);
      c.fillStyle = "black";
      c.fillText(s.nombre, x + 14, y);
      x += c.measureText(s.nombre).width + 28;
    }
  });
}

// The difference chosen: the mark's alone, or the mark's and the attack's,
// with what its grey means.
let ultimo_analisis = null;
function muestra_diferencia() {
  const r = ultimo_analisis;
  // After a search its two maps take the difference's place: a cut has no
  // pixel-by-pixel difference to show.
  const mapas = Boolean(r?.mapas);
  $("vista-diferencia").disabled = mapas;
  $("diferencia").classList.toggle("mapas", mapas);
  if (mapas) {
    dibuja($("diferencia"), r.mapas);
    $("escala").textContent = textos.leyendaDeLosMapas;
    return;
  }
  const con_ataque = $("vista-diferencia").selectedIndex === 1;
  dibuja($("diferencia"), r && (con_ataque ? r.diferenciaAtacada : r.diferencia));
  $("escala").textContent = r ? (con_ataque ? r.escalaAtacada : r.escala) : "";
}

async function analiza(evento) {
  evento.preventDefault();
  const ataque = ataque_elegido();
  $("cifras").textContent = "Calculando…";
  const r = await orden("analiza", {
    imagen: $("imagen").value,
    metodo: $("metodo").value,
    fuerza: Number($("fuerza").value),
    ataque,
    busca: $("busca-rejilla").checked,
  });
  if (r.motivo !== undefined && !r.atacada) {
    $("cifras").textContent = r.motivo;
    return;
  }
  dibuja($("atacada"), r.atacada);
  dibuja($("leida"), r.leida);
  $("sin-lectura").textContent = r.detectada ? sin_lectura_espectro : "";
  ultimo_analisis = r;
  muestra_diferencia();
  $("cifras").textContent = r.busqueda ? `${r.cifras}\n${r.busqueda}` : r.cifras;
  document.body.dataset.correctos = r.correctos ?? "";
  document.body.dataset.total = r.total ?? "";
  document.body.dataset.sim = r.sim ?? "";
  dibuja_grafico($("histograma"), r.grafico);
}

// ---- The long jobs, each in a worker of its own --------------------------------

// A job's worker is ended to cancel it: the click is answered at once, and
// the page's session, in the other worker, keeps everything it had.
class Cancelado extends Error {}
const en_curso = new Map();

// Workers started ahead, their engine loaded, so that a job starts at once;
// each one serves one job and is ended with it.
const reserva = [];
const kReserva = Math.min(2, navigator.hardwareConcurrency || 1);
function repon_reserva() {
  while (reserva.length < kReserva) reserva.push(new Worker("trabajador.js"));
}
function toma_trabajador() {
  return reserva.pop() ?? new Worker("trabajador.js");
}

// A job in `partes` workers side by side, each with its share (as the
// desktop's two threads share the sweep): what each found, in order.
function corre_trabajo(que, entrada, opciones, barra, partes = 1) {
  const progresos = new Array(partes).fill(0);
  const trabajadores = [];
  const termina = () => {
    for (const t of trabajadores) t.w.terminate();
    if (en_curso.get(que) === trabajadores) en_curso.delete(que);
  };
  en_curso.set(que, trabajadores);
  const hechos = progresos.map(
    (_, parte) =>
      new Promise((resuelve, rechaza) => {
        const w = toma_trabajador();
        trabajadores.push({ w, rechaza });
        w.onmessage = (e) => {
          const { progreso, resultado, error } = e.data;
          if (progreso !== undefined) {
            progresos[parte] = progreso;
            barra.value = progresos.reduce((a, b) => a + b) / partes;
            return;
          }
          if (error) rechaza(new Error(error));
          else resuelve(resultado);
        };
        w.onerror = (e) => rechaza(new Error(e.message));
        // The pictures copied to every worker but the last, which takes them.
        const ultimo = parte === partes - 1;
        const datos = { que, entrada, separador: separador_decimal,
          opciones: { ...opciones, parte, partes } };
        w.postMessage({ id: 1, orden: "trabajo", datos },
          ultimo ? [entrada.anfitrion.rgba.buffer, entrada.marca.rgba.buffer] : []);
      }),
  );
  return Promise.all(hechos).finally(() => {
    termina();
    repon_reserva();
  });
}

function para_trabajo(que) {
  const trabajadores = en_curso.get(que);
  if (!trabajadores) return;
  en_curso.delete(que);
  for (const t of trabajadores) {
    t.w.terminate();
    t.rechaza(new Cancelado());
  }
}

let barribles = [];
let hay_entrada = false;
// What each job's button allows now: the sweep with the method chosen.
function pon_trabajos() {
  const puede = { barrido: barribles.includes($("metodo").value), comparacion: hay_entrada,
    deteccion: hay_entrada };
  for (const [id, si] of Object.entries(puede)) {
    if (!en_curso.has(id)) document.querySelector(`#${id} .lanza`).disabled = !si;
  }
}

// The attack chosen in the laboratory, as zek-demo writes it.
function ataque_elegido() {
  return $("ataque").value ? $("ataque").value + ":" + $("valor").value : "brillo:0";
}

const resultados = {}; // what each job found last, for its downloads (and tests)

// A job's row: start, cancel, progress and its line of words; `empieza`
// gives the words while it runs, `opciones` what it needs, `muestra` draws
// what it found.
function conecta_trabajo(que, orden_del_trabajo, { empieza, opciones, muestra, partes = 1,
  junta = async ([r]) => r }) {
  const s = $(que);
  const lanza = s.querySelector(".lanza"), cancela = s.querySelector(".cancela");
  const barra = s.querySelector("progress"), aviso = s.querySelector(".aviso");
  lanza.addEventListener("click", async () => {
    const { entrada } = await orden("entrada");
    if (!entrada) {
      aviso.textContent = que === "deteccion" ? textos.faltaAnfitrion : textos.faltanLasDos;
      return;
    }
    const inicio = performance.now();
    const datos = opciones();
    aviso.textContent = await empieza(datos);
    lanza.disabled = true;
    cancela.disabled = false;
    barra.value = 0;
    s.dataset.estado = "calculando";
    try {
      resultados[que] = await junta(await corre_trabajo(que, entrada, datos, barra, partes));
      muestra(resultados[que], aviso);
      s.dataset.ms = (performance.now() - inicio).toFixed(0); // for the benchmarks
      s.dataset.estado = "hecho";
    } catch (e) {
      if (!(e instanceof Cancelado)) {
        s.dataset.estado = "fallado";
        aviso.textContent = textos.falloDelTrabajo;
        throw e;
      }
      s.dataset.estado = "cancelado";
      const anterior = que === "barrido" && Boolean(resultados.barrido);
      const porcentaje = Math.round(100 * barra.value);
      const r = await pide("cancelado", { trabajo: orden_del_trabajo, porcentaje, anterior });
      aviso.textContent = r.texto;
    } finally {
      cancela.disabled = true;
      pon_trabajos();
    }
  });
  cancela.addEventListener("click", () => {
    aviso.textContent = textos.cancelando;
    para_trabajo(que);
  });
}

// The pictures the jobs were made from are gone (other files, a reset, a
// new key): what they found goes with them, from the screen and from the
// handout, and a job under way is stopped.
function olvida_trabajos() {
  for (const que of ["barrido", "comparacion", "deteccion"]) {
    para_trabajo(que);
    delete resultados[que];
    const s = $(que);
    s.dataset.estado = "";
    s.querySelector(".aviso").textContent = "";
    s.querySelector("progress").value = 0;
    for (const lienzo of s.querySelectorAll("canvas.grafico")) dibuja_grafico(lienzo, null);
  }
  for (const b of document.querySelectorAll("#barrido .exporta")) b.disabled = true;
  $("tabla-comparacion").replaceChildren();
  $("prediccion").textContent = "";
  $("cifras-roc").textContent = "";
}

// The reading of a comparison's cell, small, beside its figures.
function celda_de_tabla(celda) {
  const td = document.createElement("td");
  if (celda.fondo) td.style.background = `rgb(${celda.fondo.r}, ${celda.fondo.g}, ${celda.fondo.b})`;
  if (celda.leida) {
    const lienzo = document.createElement("canvas");
    dibuja(lienzo, celda.leida);
    lienzo.setAttribute("role", "img");
    lienzo.setAttribute("aria-label", "Marca leída");
    td.append(lienzo);
  }
  td.append(celda.texto);
  return td;
}

function muestra_tabla(tabla) {
  const t = $("tabla-comparacion");
  t.replaceChildren();
  const cabecera = t.createTHead().insertRow();
  for (const titulo of tabla.cabecera) {
    const th = document.createElement("th");
    th.scope = "col";
    th.textContent = titulo;
    cabecera.append(th);
  }
  const cuerpo = t.createTBody();
  for (const f of tabla.filas) {
    const fila = cuerpo.insertRow();
    const th = document.createElement("th");
    th.scope = "row";
    th.textContent = f.metodo;
    fila.append(th);
    if (f.noCabe) {
      const td = fila.insertCell();
      td.colSpan = tabla.cabecera.length - 1;
      td.textContent = f.noCabe;
      continue;
    }
    for (const celda of f.celdas) fila.append(celda_de_tabla(celda));
  }
}

function conecta_trabajos(espectro) {
  conecta_trabajo("barrido", 0, {
    empieza: async () => textos.calculandoBarrido,
    opciones: () => ({ metodo: $("metodo").value }),
    partes: Math.min(2, navigator.hardwareConcurrency || 1),
    // The shares' rows, put in order and drawn by the engine.
    junta: async (partes) => {
      const filas = partes.flatMap((p) => p?.filas ?? []);
      if (!filas.length) return null;
      return pide("barrido", { filas, magnitud: partes[0].magnitud });
    },
    muestra: (r, aviso) => {
      aviso.textContent = "";
      dibuja_grafico(document.querySelector("#barrido .grafico"), r?.grafico);
      for (const b of document.querySelectorAll("#barrido .exporta")) b.disabled = !r;
    },
  });
  for (const b of document.querySelectorAll("#barrido .exporta")) {
    b.addEventListener("click", () => {
      if (b.dataset.formato === "csv")
        baja(new Blob([resultados.barrido.csv], { type: "text/csv" }), "barrido.csv");
      else document.querySelector("#barrido .grafico").toBlob((png) => baja(png, "barrido.png"));
    });
  }
  const objetivo = () => {
    const v = $("psnr-objetivo").valueAsNumber;
    return Number.isFinite(v) && v > 0 ? v : undefined;
  };
  conecta_trabajo("comparacion", 1, {
    empieza: async () => textos.calibrando,
    opciones: () => ({ objetivo: objetivo() }),
    partes: kReserva,
    // The shares, one comparison again, described by the engine.
    junta: async (partes) => pide("comparacion", { partes: partes.map((p) => p.comparacion) }),
    muestra: (r, aviso) => {
      aviso.textContent = r.aviso;
      muestra_tabla(r.tabla);
      $("prediccion").textContent = r.prediccion;
      dibuja_grafico($("grafico-comparacion"), r.grafico);
      dibuja_grafico($("grafico-sim"), r.graficoSim);
    },
  });
  $("alfa").min = espectro.fuerza.desde;
  $("alfa").max = espectro.fuerza.hasta;
  $("alfa").value = espectro.fuerza.inicial;
  $("longitud").value = textos.longitudEspectro;
  $("umbral").value = textos.umbralEspectro;
  conecta_trabajo("deteccion", 2, {
    empieza: async ({ ataque }) => (await pide("detectando", { ataque })).texto,
    opciones: () => ({
      alfa: $("alfa").valueAsNumber,
      longitud: $("longitud").valueAsNumber,
      umbral: $("umbral").valueAsNumber,
      ataque: ataque_elegido(),
    }),
    muestra: (r, aviso) => {
      aviso.textContent = r.aviso;
      $("cifras-roc").textContent = r.roc;
      dibuja_grafico($("respuesta"), r.respuesta);
      dibuja_grafico($("falsas"), r.falsas);
      dibuja_grafico($("curva-roc"), r.curva);
    },
  });
  $("metodo").addEventListener("change", pon_trabajos);
}

// ---- Start -------------------------------------------------------------------

// Kept for working offline; a newer version waits for the next reload.
function guarda_para_sin_red() {
  if (!("serviceWorker" in navigator)) return;
  navigator.serviceWorker.addEventListener("message", (e) => {
    if (e.data?.nueva) $("guia").textContent = textos.versionNueva;
  });
  navigator.serviceWorker.startMessages(); // those sent while the page loaded too
  navigator.serviceWorker.controller?.postMessage("nueva?");
  navigator.serviceWorker.register("sw.js").catch(() => {}); // a page from a file: no keeping
}

let separador_decimal = ".";

async function inicia() {
  const partes = new Intl.NumberFormat(navigator.language).formatToParts(1.5);
  separador_decimal = partes.find((p) => p.type === "decimal")?.value ?? ".";
  const r = await orden("inicia", { separador: separador_decimal });
  pon_textos(r.textos);
  guarda_para_sin_red(); // its word on a newer version once the texts are in
  pon_ataques(r.ataques);
  pon_metodos(r.metodos);
  conecta_trabajos(r.metodos.find((m) => !m.leeLaMarca));
  pon_trabajos();
  pon_formatos();
  conecta_demostracion();
  conecta_inspector();
  $("eleccion").addEventListener("submit", analiza);
  for (const vista of textos.vistasDeLaDiferencia) $("vista-diferencia").add(new Option(vista));
  $("texto-busca-rejilla").textContent = textos.buscarLaRejilla;
  $("vista-diferencia").addEventListener("change", muestra_diferencia);
  repon_reserva();
  document.body.dataset.listo = "1";
  document.body.dataset.listoMs = performance.now().toFixed(0);
}

inicia();
