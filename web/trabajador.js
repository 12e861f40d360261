// SPDX-License-Identifier: MIT
// The worker that holds ZEK's engine (zek.wasm), so that the page never
// waits on it. It answers each order of the page with what the window would
// show after it; the browser's own decoders and JPEG encoder do the work
// the engine leaves to its front end.
"use strict";

importScripts("zek.js");

let zek = null;
let separador = ".";
const listo = creaZek().then((modulo) => modulo);

// Every picture as the page draws it, its pixels handed over, not copied.
function imagenes(lista, transferir) {
  for (const imagen of lista) {
    if (imagen) transferir.push(imagen.rgba.buffer);
  }
  return lista;
}

function vista(transferir) {
  const estado = zek.estado();
  const pictures = imagenes([1, 2, 3, 4].map((n) => zek.picture(n)), transferir);
  return { estado, pictures };
}

// The browser decodes the file as it is: no colour management, no
// premultiplied alpha, so that its pixels are the file's own.
async function decodifica(bytes) {
  try {
    const mapa = await createImageBitmap(new Blob([bytes]), {
      colorSpaceConversion: "none",
      premultiplyAlpha: "none",
    });
    const lienzo = new OffscreenCanvas(mapa.width, mapa.height);
    const contexto = lienzo.getContext("2d", { willReadFrequently: true });
    contexto.drawImage(mapa, 0, 0);
    return contexto.getImageData(0, 0, mapa.width, mapa.height);
  } catch (error) {
    return null; // the engine then says the file could not be read
  }
}

// The browser's JPEG of a picture at a quality, decoded again.
async function jpeg(imagen, calidad) {
  const lienzo = new OffscreenCanvas(imagen.ancho, imagen.alto);
  const contexto = lienzo.getContext("2d");
  contexto.putImageData(new ImageData(imagen.rgba, imagen.ancho, imagen.alto), 0, 0);
  const blob = await lienzo.convertToBlob({ type: "image/jpeg", quality: calidad / 100 });
  return decodifica(await blob.arrayBuffer());
}

// Has the browser encode every picture in `pedidos` at each of its
// qualities and hands each JPEG to `pon`; whether there was any. All at
// once: the browser encodes and decodes on threads of its own.
async function encarga(pedidos, pon) {
  const hechas = pedidos.flatMap((p) =>
    p.calidades.map(async (calidad) => [p.clave, calidad, await jpeg(p, calidad)]),
  );
  for (const [clave, calidad, hecha] of await Promise.all(hechas)) {
    if (hecha) pon(clave, calidad, hecha.width, hecha.height, hecha.data);
  }
  return pedidos.length > 0;
}

// A long job in two runs at most: the first notes the JPEGs it needs, the
// second, if any were needed, finds them. Progress goes to the page as a
// fraction of the whole.
async function dos_pasadas(t, corre, id) {
  const aviso = (pasada) => (hechos, total) =>
    self.postMessage({ id, progreso: (pasada + (total ? hechos / total : 1)) / 2 });
  const tiempos = [performance.now()];
  const primera = corre(aviso(0));
  tiempos.push(performance.now());
  if (!(await encarga(t.pedidos(), (...hecha) => t.ponJpeg(...hecha)))) return primera;
  tiempos.push(performance.now());
  t.segunda();
  const segunda = corre(aviso(1));
  tiempos.push(performance.now());
  // Where the time went, for the benchmarks: each run and the encoding.
  if (segunda) segunda.tiempos = tiempos.slice(1).map((v, i) => v - tiempos[i]);
  return segunda;
}

const largos = {
  barrido:
    (t, { metodo, parte, partes }) =>
    (aviso) =>
      t.barrido(metodo, parte, partes, aviso),
  comparacion:
    (t, { objetivo, parte, partes }) =>
    (aviso) =>
      t.compara(objetivo ?? NaN, parte, partes, aviso),
  deteccion:
    (t, { alfa, longitud, umbral, ataque }) =>
    (aviso) =>
      t.detecta(alfa, longitud, umbral, ataque, aviso),
};

const ordenes = {
  async inicia(datos, transferir) {
    const modulo = await listo;
    separador = datos.separador;
    zek = new modulo.Zek(separador);
    return {
      ataques: modulo.Zek.ataques(),
      metodos: modulo.Zek.metodos(),
      textos: modulo.Zek.textos(),
      vista: vista(transferir),
    };
  },
  async abre({ rol, nombre, bytes }, transferir) {
    const ruta = zek.guardaArchivo(nombre, new Uint8Array(bytes));
    if (zek.necesitaPixeles(rol, ruta)) {
      const pixeles = await decodifica(bytes);
      if (pixeles) zek.ponPixeles(ruta, pixeles.width, pixeles.height, pixeles.data);
    }
    const aceptada = zek.abre(rol, ruta);
    return { aceptada, vista: vista(transferir) };
  },
  aplica({ parametro, texto }, transferir) {
    zek.aplica(parametro, texto);
    return { vista: vista(transferir) };
  },
  paso(_, transferir) {
    const inicio = performance.now();
    zek.paso();
    const motor = performance.now() - inicio; // the press alone, for the benchmarks
    return { motor, vista: vista(transferir) };
  },
  reset(_, transferir) {
    zek.reset();
    return { vista: vista(transferir) };
  },
  repite(_, transferir) {
    zek.repite();
    return { vista: vista(transferir) };
  },
  bmp({ que }, transferir) {
    const bytes = zek.bmp(que);
    if (bytes) transferir.push(bytes.buffer);
    return { bytes };
  },
  descarga({ que }, transferir) {
    const imagen = que === "marcada" ? zek.marcada() : zek.extraida();
    return { imagen: imagen ? imagenes([imagen], transferir)[0] : null };
  },
  entrada(_, transferir) {
    const e = zek.entrada();
    if (e) transferir.push(e.anfitrion.rgba.buffer, e.marca.rgba.buffer);
    return { entrada: e };
  },
  async cancelado({ trabajo, porcentaje, anterior }) {
    return { texto: (await listo).Zek.cancelado(trabajo, porcentaje, anterior) };
  },
  async barrido({ filas, magnitud }) {
    return (await listo).Zek.barrido(filas, magnitud, separador);
  },
  comparacion({ partes }, transferir) {
    const r = zek.comparacion(partes, separador);
    for (const fila of r.tabla.filas) {
      for (const celda of fila.celdas) if (celda.leida) transferir.push(celda.leida.rgba.buffer);
    }
    return r;
  },
  async detectando({ ataque }) {
    return { texto: (await listo).Zek.detectando(ataque) };
  },
  // A long job, in a worker of its own that the page ends to cancel it.
  async trabajo({ que, entrada, separador, opciones }, transferir, id) {
    const modulo = await listo;
    const t = new modulo.Trabajo(entrada, separador);
    try {
      return await dos_pasadas(t, largos[que](t, opciones), id);
    } finally {
      t.delete();
    }
  },
  par({ x, y }) {
    return { texto: zek.par(x, y) };
  },
  // The handout: its attacks' JPEGs by the browser, the files' SHA-256 by
  // its crypto, the rest by the engine.
  async hoja({ barrido, comparacion, deteccion }) {
    const pedidos = zek.hojaPedidos();
    if (!pedidos) return { documento: null };
    await encarga(pedidos, (...hecha) => zek.ponJpegHoja(...hecha));
    const sha256 = async (que) => {
      const bytes = zek.archivo(que);
      if (!bytes) return "";
      const h = new Uint8Array(await crypto.subtle.digest("SHA-256", bytes));
      return [...h].map((b) => b.toString(16).padStart(2, "0")).join("");
    };
    const [a, m] = [await sha256("anfitrion"), await sha256("marca")];
    return { documento: zek.hoja(a, m, barrido, comparacion, deteccion) };
  },
  informe() {
    return { texto: zek.informe() };
  },
  async analiza({ imagen, metodo, fuerza, ataque, busca }, transferir) {
    const eleccion = zek.elige(imagen, metodo, fuerza, ataque, busca);
    if (eleccion.motivo !== undefined) return { motivo: eleccion.motivo };
    const inicio = performance.now();
    if (eleccion.jpeg >= 0) {
      const atacada = await jpeg(eleccion.fuente, eleccion.jpeg);
      if (atacada) zek.ponJpeg(eleccion.jpeg, atacada.width, atacada.height, atacada.data);
    }
    const navegador = performance.now() - inicio; // the browser's encoder, for the benchmarks
    const r = zek.analiza();
    r.navegador = navegador;
    imagenes([r.atacada, r.leida, r.diferencia, r.diferenciaAtacada, r.mapas], transferir);
    return r;
  },
};

// One order at a time, in the order they came: the engine is one session.
let cola = Promise.resolve();
self.onmessage = (evento) => {
  const { id, orden, datos } = evento.data;
  cola = cola.then(async () => {
    const transferir = [];
    try {
      const inicio = performance.now();
      const resultado = (await ordenes[orden](datos || {}, transferir, id)) ?? {};
      resultado.ms = performance.now() - inicio; // the engine's time, for the benchmarks
      self.postMessage({ id, resultado }, transferir);
    } catch (error) {
      self.postMessage({ id, error: String(error) });
    }
  });
};
