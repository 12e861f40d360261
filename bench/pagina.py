#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web edition's figures, measured in Debian's chromium (headless): the
page's size, how soon it is ready, and the engine's time in the worker for
each press of the step button, for two attacks on the samples and for the
spread spectrum chosen in the laboratory, for the search for the grid after
a crop, and for the laboratory's long jobs
(Grado 10, Clave 3; the fastest of five runs, of three for the jobs).
Compare with zek_bench's BM_PasoMuestras, BM_AtaqueMuestras,
BM_EspectroMuestras, BM_BuscaMuestras and BM_TrabajoMuestras, the same work
natively.

Usage: pagina.py PAGINA
"""
import socket
import subprocess
import sys
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service

PAGINA = Path(sys.argv[1]).resolve()
MUESTRAS = Path(__file__).resolve().parent.parent / "samples"

MEDIR = """
const [ordenes, hecho] = [arguments[0], arguments[arguments.length - 1]];
(async () => {
  const tiempos = [];
  for (const [nombre, datos] of ordenes) {
    const r = await orden(nombre, datos);
    tiempos.push([r.motor ?? r.ms, r.ms]);
  }
  hecho(tiempos);
})();"""


# An analysis: the worker's time, and the part of it the browser's JPEG
# encoder took.
MEDIR_ANALISIS = """
const [ordenes, hecho] = [arguments[0], arguments[arguments.length - 1]];
orden(...ordenes[0]).then((r) => hecho([r.ms, r.navegador]));"""

# A long job as its button starts it: from the click to what it found
# drawn, its workers' start included.
MEDIR_TRABAJO = """
const [que, hecho] = [arguments[0], arguments[arguments.length - 1]];
const s = document.getElementById(que);
s.dataset.estado = "";
s.querySelector(".lanza").click();
const espera = () => s.dataset.estado === "hecho" ? hecho(Number(s.dataset.ms))
                                                  : setTimeout(espera, 5);
espera();"""


def main():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        puerto = s.getsockname()[1]
    servidor = subprocess.Popen([sys.executable, "-m", "http.server", str(puerto), "--bind",
                                 "127.0.0.1", "-d", str(PAGINA)],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    o = Options()
    o.binary_location = "/usr/bin/chromium"
    for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
              "--disable-background-networking", "--no-first-run"]:
        o.add_argument(a)
    d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
    d.set_script_timeout(60)
    try:
        time.sleep(0.5)
        listo = []
        for _ in range(5):
            d.get(f"http://127.0.0.1:{puerto}/index.html")
            while not d.execute_script("return document.body.dataset.listo"):
                time.sleep(0.01)
            listo.append(int(d.execute_script("return document.body.dataset.listoMs")))
        tamano = sum(f.stat().st_size for f in PAGINA.iterdir() if f.is_file())
        print(f"página y módulo: {tamano / 1e6:.2f} MB; lista en {min(listo)} ms")
        d.execute_async_script("const h = arguments[arguments.length - 1];"
                               "abre_muestras().then(() => h())")
        pasos = [[("reset", {}), ("repite", {}), ("aplica", {"parametro": 0, "texto": "10"}),
                  ("aplica", {"parametro": 1, "texto": "3"}), ("paso", {}), ("paso", {}),
                  ("paso", {}), ("paso", {})]]
        mejores = None
        for _ in range(5):
            t = d.execute_async_script(MEDIR, pasos[0])[4:]
            mejores = t if mejores is None else [[min(a, b) for a, b in zip(x, y)]
                                                 for x, y in zip(mejores, t)]
        for n, (motor, ms) in enumerate(mejores, 1):
            print(f"«Paso {n}» en el trabajador: {motor:.2f} ms la pulsación, {ms:.2f} ms con "
                  "las cuatro imágenes para la página")
        for ataque in ["ruido:5", "jpeg:75"]:
            orden = [("analiza", {"imagen": "marcada", "metodo": "bloques", "fuerza": 0,
                                  "ataque": ataque})]
            veces = [d.execute_async_script(MEDIR_ANALISIS, orden) for _ in range(5)]
            ms, navegador = min(veces)
            print(f"{ataque} y su lectura en el trabajador: {ms:.2f} ms, de ellos {navegador:.2f} "
                  "ms el codificador JPEG del navegador")
        orden = [("analiza", {"imagen": "marcada", "metodo": "espectro", "fuerza": 0.1,
                              "ataque": "ruido:5"})]
        ms = min(d.execute_async_script(MEDIR, orden)[0][1] for _ in range(5))
        print(f"espectro con ruido:5 y la respuesta a 1001 claves en el trabajador: {ms:.2f} ms")
        orden = [("analiza", {"imagen": "marcada", "metodo": "bloques", "fuerza": 0,
                              "ataque": "recorte:32", "busca": True})]
        ms = min(d.execute_async_script(MEDIR, orden)[0][1] for _ in range(5))
        print(f"recorte:32 con «Buscar la rejilla» (33 × 33 desplazamientos) en el trabajador: "
              f"{ms:.2f} ms")
        d.execute_async_script("const h = arguments[arguments.length - 1];"
                               "orden('paso').then(() => orden('paso')).then(() => orden('paso'))"
                               ".then(() => orden('paso')).then(() => h())")
        for que in ["barrido", "comparacion", "deteccion"]:
            veces = []
            for _ in range(3):
                time.sleep(1)  # the workers in reserve ready, as after a student's pause
                veces.append(d.execute_async_script(MEDIR_TRABAJO, que))
            ms = min(veces)
            print(f"{que}, del clic al gráfico: {ms:.0f} ms")
    finally:
        d.quit()
        servidor.terminate()


if __name__ == "__main__":
    main()
