#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web edition in a real browser: Debian's chromium, headless, driven by
selenium, on the page as a static server gives it. The pictures the page
draws are compared pixel for pixel with those zek-demo writes from the same
files, and its texts with the window's.

Usage: prueba_pagina.py PAGINA ZEK_DEMO CARPETA_DE_PRUEBAS
"""
import base64
import json
import re
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

PAGINA, ZEK_DEMO, PRUEBAS = (Path(a).resolve() for a in sys.argv[1:4])
MUESTRAS = PRUEBAS.parent / "samples"
# axe-core as scripts/instala-dependencias pins it.
AXE = PRUEBAS.parent / "build-axe" / "node_modules" / "axe-core" / "axe.min.js"
ESPERA = 20  # seconds for anything the page does


def bmp(ruta, ancho, alto, color):
    """A 24-bit BMP written by hand."""
    fila = (ancho * 3 + 3) // 4 * 4
    datos = b"".join(
        b"".join(bytes(reversed(color(x, y))) for x in range(ancho)) + b"\0" * (fila - ancho * 3)
        for y in reversed(range(alto)))
    cabecera = b"BM" + struct.pack("<IHHI", 54 + len(datos), 0, 0, 54) + struct.pack(
        "<IiiHHIIiiII", 40, ancho, alto, 1, 24, 0, len(datos), 2835, 2835, 0, 0)
    Path(ruta).write_bytes(cabecera + datos)


def cerca(texto):
    """A figure of a CSV to twelve significant digits; words as they are."""
    try:
        return float(f"{float(texto):.12g}")
    except ValueError:
        return texto


def puerto_libre():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Pagina(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.raiz = Path(tempfile.mkdtemp(prefix="zek-web-"))
        shutil.copytree(PAGINA, cls.raiz / "pagina")
        cls.archivos = cls.raiz / "archivos"
        cls.archivos.mkdir()
        puerto = puerto_libre()
        cls.puerto = puerto
        cls.arranca_servidor()
        cls.origen = f"http://127.0.0.1:{puerto}"
        o = Options()
        o.binary_location = "/usr/bin/chromium"
        for a in ["--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--no-first-run", "--window-size=1024,768", "--lang=es-ES",
                  # Nothing but this machine: a page that fetched from elsewhere would fail.
                  "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1"]:
            o.add_argument(a)
        o.add_experimental_option("prefs", {"intl.accept_languages": "es-ES,es"})
        cls.d = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=o)
        cls.d.set_script_timeout(ESPERA)
        for _ in range(ESPERA * 10):
            try:
                with socket.create_connection(("127.0.0.1", puerto), timeout=0.1):
                    break
            except OSError:
                time.sleep(0.1)

    @classmethod
    def arranca_servidor(cls):
        cls.servidor = subprocess.Popen(
            [sys.executable, "-m", "http.server", str(cls.puerto), "--bind", "127.0.0.1", "-d",
             str(cls.raiz)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @classmethod
    def tearDownClass(cls):
        cls.d.quit()
        cls.servidor.terminate()
        cls.servidor.wait()
        shutil.rmtree(cls.raiz)

    def setUp(self):
        self.d.get(self.origen + "/pagina/index.html")
        self.espera(lambda: self.js("return document.body.dataset.listo") == "1")

    # ---- helpers -----------------------------------------------------------

    def js(self, codigo, *argumentos):
        return self.d.execute_script(codigo, *argumentos)

    def espera(self, condicion, que="la página"):
        limite = time.time() + ESPERA
        while time.time() < limite:
            if condicion():
                return
            time.sleep(0.02)
        self.fail(f"{que} no ha respondido en {ESPERA} s")

    def hechas(self):
        return int(self.js("return document.body.dataset.hechas || 0"))

    def tras(self, accion, ordenes=1):
        """Does something and waits for the engine's answers to it."""
        antes = self.hechas()
        accion()
        self.espera(lambda: self.hechas() >= antes + ordenes)

    def pulsa(self, id_, ordenes=1):
        elemento = self.d.find_element(By.ID, id_)
        self.js("arguments[0].scrollIntoView({block: 'center'})", elemento)
        self.tras(elemento.click, ordenes)

    def escribe(self, id_, texto):
        caja = self.d.find_element(By.ID, id_)
        caja.clear()
        caja.send_keys(texto)

    def abre(self, entrada, ruta):
        self.tras(lambda: self.d.find_element(By.ID, entrada).send_keys(str(ruta)))

    def mensajes(self):
        """The message boxes shown, each closed with its OK button."""
        vistos = []
        for _ in range(20):
            time.sleep(0.05)
            if not self.js("return document.getElementById('mensaje').open"):
                break
            vistos.append(self.js("return [document.getElementById('mensaje-titulo').textContent,"
                                  " document.getElementById('mensaje-texto').textContent]"))
            self.d.find_element(By.ID, "mensaje-aceptar").click()
        return vistos

    def texto(self, id_):
        return self.js("return document.getElementById(arguments[0]).textContent", id_)

    def demuestra(self, imagen, marca, grado="10", clave="3", pasos=4):
        self.abre("abrir-imagen", imagen)
        self.abre("abrir-marca", marca)
        self.escribe("Txt_Grado", grado)
        self.pulsa("Cmd_Grado")
        self.escribe("Txt_Clave", clave)
        self.pulsa("Cmd_Clave")
        for _ in range(pasos):
            self.pulsa("Command1")

    def zek_demo(self, *argumentos):
        salida = Path(tempfile.mkdtemp(dir=self.archivos))
        r = subprocess.run([str(ZEK_DEMO), *map(str, argumentos), "--salida", str(salida)],
                           capture_output=True, text=True, check=False)
        return salida, r

    def diferencias(self, carpeta):
        """Pixels of each picture box that differ from zek-demo's pictureN.png."""
        url = self.origen + "/archivos/" + carpeta.name
        return self.d.execute_async_script("""
            const [url, hecho] = arguments;
            (async () => {
              const diferencias = [];
              for (let n = 1; n <= 4; n++) {
                const lienzo = document.getElementById("Picture" + n);
                const r = await fetch(url + "/picture" + n + ".png");
                const mapa = await createImageBitmap(await r.blob(),
                    {colorSpaceConversion: "none", premultiplyAlpha: "none"});
                if (mapa.width !== lienzo.width || mapa.height !== lienzo.height) {
                  diferencias.push(`${lienzo.width} x ${lienzo.height} en vez de ` +
                                   `${mapa.width} x ${mapa.height}`);
                  continue;
                }
                const otro = new OffscreenCanvas(mapa.width, mapa.height).getContext("2d");
                otro.drawImage(mapa, 0, 0);
                const a = otro.getImageData(0, 0, mapa.width, mapa.height).data;
                const b = lienzo.getContext("2d").getImageData(0, 0, mapa.width, mapa.height).data;
                let d = 0;
                for (let i = 0; i < a.length; i += 4)
                  d += a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2];
                diferencias.push(d);
              }
              hecho(diferencias);
            })();""", url)

    # ---- the demonstration -------------------------------------------------

    def test_the_samples_give_the_desktops_pictures_and_texts(self):
        for anfitrion in ["imagen.bmp", "imagen.gif", "imagen.jpg"]:
            with self.subTest(anfitrion=anfitrion):
                self.setUp()
                salida, r = self.zek_demo(MUESTRAS / anfitrion, MUESTRAS / "marca.bmp",
                                          "--grado", 10, "--clave", 3)
                self.assertEqual(r.returncode, 0, r.stderr)
                self.demuestra(MUESTRAS / anfitrion, MUESTRAS / "marca.bmp")
                self.assertEqual(self.diferencias(salida), [0, 0, 0, 0])
                self.assertEqual(self.texto("LpASO"), "Paso 4:Extraemos la marca de agua de la imagen.")
                self.assertEqual(self.texto("LBloque"), "Longitud de bloque 5")
                self.assertEqual(self.texto("LNumBloques"), "Número de bloque 3072")
                self.assertEqual(self.texto("LGrado"),
                                 "Grado de Resistencia a ataques de Altas frecuencias 10")
                self.assertEqual(self.texto("Estado"), "Extracción ciega de la imagen marcada: "
                                 "961 de 961 píxeles correctos (100,0 %)")
                # The report byte for byte as the desktop writes it.
                informe = self.d.execute_async_script(
                    "const h = arguments[arguments.length - 1];"
                    "orden('informe').then(r => h(r.texto))")
                self.assertEqual(informe, (salida / "informe.json").read_text(encoding="utf-8"))

    def test_the_browser_decodes_each_format_as_the_desktop(self):
        for marca in ["gif-transparente.gif", "jpeg-progresiva.jpg", "jpeg-cmyk.jpg",
                      "bmp-32bit.bmp", "bmp-8bit-rle.bmp", "gif-entrelazada.gif"]:
            with self.subTest(marca=marca):
                self.setUp()
                ruta = PRUEBAS / "corpus" / marca
                salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", ruta, "--grado", 10,
                                          "--clave", 3)
                self.assertIn(r.returncode, (0, 4), r.stderr)
                self.demuestra(MUESTRAS / "imagen.bmp", ruta)
                self.mensajes()
                self.assertEqual(self.diferencias(salida), [0, 0, 0, 0])

    def test_a_watermark_the_layout_refuses_stops_as_on_the_desktop(self):
        impar = self.archivos / "impar.bmp"
        bmp(impar, 25, 15, lambda x, y: (255, 255, 255) if (x + y) % 3 else (0, 0, 0))
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", impar, "--grado", 10, "--clave", 3)
        self.assertEqual(r.returncode, 4, r.stderr)
        self.abre("abrir-imagen", MUESTRAS / "imagen.bmp")
        self.abre("abrir-marca", impar)
        self.escribe("Txt_Grado", "10")
        self.pulsa("Cmd_Grado")
        self.escribe("Txt_Clave", "3")
        self.pulsa("Cmd_Clave")
        self.pulsa("Command1")
        self.assertEqual(self.mensajes(), [["ZEK", "Marca de Agua no Válida"]])
        for _ in range(3):
            self.pulsa("Command1")
            self.mensajes()
        self.assertEqual(self.diferencias(salida), [0, 0, 0, 0])
        self.assertEqual(self.texto("LpASO"), "Paso 0: Se muestra la imagen y la gota de Agua.")

    def test_refused_files_say_why_and_leave_the_page_usable(self):
        grande = self.archivos / "grande.bmp"
        bmp(grande, 400, 300, lambda x, y: (x % 256, y % 256, 100))
        texto = self.archivos / "texto.bmp"
        texto.write_text("esto no es una imagen")
        vacio = self.archivos / "vacio.jpg"
        vacio.write_bytes(b"")
        cortada = PRUEBAS / "corpus" / "truncada-jpeg-progresiva.jpg"
        self.abre("abrir-imagen", grande)
        self.assertEqual(self.mensajes(), [[
            "Asignatura de ZEK 2003/04",
            "La imagen seleccionada no es correcta.\nLa imagen Seleccionada requiere :\n"
            "   Pixel Y: 300\n   Pixel X: 400\nRango permitido.\n   Pixel Y: 483\n"
            "   Pixel X: 378\n"]])
        for archivo, motivo in [(texto, "no es una imagen BMP, JPEG o GIF."),
                                (vacio, "el archivo está vacío."),
                                (cortada, "la imagen está incompleta o dañada.")]:
            with self.subTest(archivo=archivo.name):
                self.abre("abrir-imagen", archivo)
                self.assertEqual(self.texto("Estado"),
                                 f"No se ha podido abrir «{archivo.name}»: {motivo}")
                self.assertEqual(self.mensajes(), [])
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        self.assertEqual(self.texto("LBloque"), "Longitud de bloque 5")

    # ---- the laboratory ----------------------------------------------------

    def ataca(self, ataque, valor):
        self.ataca_sin_lectura(ataque, valor)
        return (int(self.js("return document.body.dataset.correctos")),
                int(self.js("return document.body.dataset.total")))

    def ataca_sin_lectura(self, ataque, valor):
        self.js("const s = document.getElementById('ataque'); s.value = arguments[0];"
                "s.dispatchEvent(new Event('change'));", ataque)
        self.escribe("valor", str(valor))
        self.pulsa("analiza")

    def test_the_laboratory_reads_the_attacks_as_the_desktop(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 16,
                                  "--clave", 3, "--ataque", "ruido:5", "--ataque", "jpeg:75")
        self.assertEqual(r.returncode, 0, r.stderr)
        escritorio = {a["ataque"]: a["correctos"]
                      for a in json.loads((salida / "informe.json").read_text())["ataques"]}
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        self.assertEqual(self.ataca("ruido", 5), (escritorio["ruido:5"], 961))
        self.assertTrue(self.texto("cifras").startswith(
            f"{escritorio['ruido:5']} de 961 píxeles correctos ("), self.texto("cifras"))
        correctos, _ = self.ataca("jpeg", 75)
        self.assertLessEqual(abs(correctos - escritorio["jpeg:75"]), 5)

    def test_the_grid_of_a_cut_is_found_as_zek_demo_finds_it(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 16,
                                  "--clave", 3)
        self.assertEqual(r.returncode, 0, r.stderr)
        recorte = Path(self.archivos) / "recorte.png"
        subprocess.run(["/usr/bin/convert", str(salida / "marcada.png"), "-crop", "300x220+7+5",
                        "+repage", str(recorte)], check=True)
        leida, r = self.zek_demo("--extrae", recorte, MUESTRAS / "marca.bmp", "--grado", 16,
                                 "--clave", 3, "--lado", 5, "--sincroniza", "320x240")
        self.assertEqual(r.returncode, 0, r.stderr)
        extraccion = json.loads((leida / "informe.json").read_text())["extraccion"]
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        # recorte:7 on the picture of stage 2: the cut made is known.
        self.js("document.getElementById('busca-rejilla').checked = true")
        self.ataca("recorte", 7)
        self.assertIn("Rejilla encontrada en (7, 7); el recorte se hizo en (7, 7). Con la búsqueda",
                      self.texto("cifras"))
        # ImageMagick's cut reopened: found where it was made, read as zek-demo reads it, and
        # both maps (21 x 21 offsets each, 4 pixels apart) in the difference's place.
        self.abre("abrir-marcada", recorte)
        self.espera(lambda: self.js("return document.getElementById('imagen').value") == "abierta")
        self.js("const s = document.getElementById('ataque'); s.value = '';"
                "s.dispatchEvent(new Event('change'));")
        self.pulsa("analiza")
        self.assertIn("Rejilla encontrada en (7, 5). Con la búsqueda", self.texto("cifras"))
        self.assertEqual((int(self.js("return document.body.dataset.correctos")),
                          int(self.js("return document.body.dataset.total"))),
                         (extraccion["correctos"], extraccion["total"]))
        self.assertEqual(self.js("const c = document.getElementById('diferencia');"
                                 "return [c.width, c.height, c.classList.contains('mapas')]"),
                         [46, 21, True])
        self.assertTrue(self.js("return document.getElementById('vista-diferencia').disabled"))
        self.assertIn("en rojo, el desplazamiento tomado", self.texto("escala"))

    def test_the_spread_spectrum_is_detected_as_on_the_desktop(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 16,
                                  "--clave", 3, "--metodo", "espectro", "--ataque", "ruido:5")
        self.assertEqual(r.returncode, 0, r.stderr)
        escritorio = json.loads((salida / "informe.json").read_text())["ataques"][0]["sim"]
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        self.js("const s = document.getElementById('metodo'); s.value = 'espectro';"
                "s.dispatchEvent(new Event('change'));")
        self.assertEqual(self.js("return document.getElementById('fuerza').value"), "0.1")
        self.ataca_sin_lectura("ruido", 5)
        self.assertAlmostEqual(float(self.js("return document.body.dataset.sim")), escritorio,
                               places=9)
        self.assertTrue(self.texto("cifras").startswith(
            "La marca de la clave 3 está presente: sim "), self.texto("cifras"))
        self.assertTrue(self.texto("sin-lectura").startswith("El espectro ensanchado no lleva"))
        self.assertEqual(self.js("return document.getElementById('histograma')"
                                 ".getAttribute('aria-label')"),
                         "Respuesta del detector a 1001 claves")
        # Back to the block pairs: their reading and their histogram again.
        self.js("const s = document.getElementById('metodo'); s.value = 'bloques';"
                "s.dispatchEvent(new Event('change'));")
        self.assertEqual(self.ataca("ruido", 5)[1], 961)
        self.assertEqual(self.texto("sin-lectura"), "")
        self.assertEqual(self.js("return document.getElementById('histograma')"
                                 ".getAttribute('aria-label')"), "Restos de los pares de bloques")

    def test_a_newcomer_is_told_what_to_do_and_the_samples_come_ready(self):
        self.assertTrue(self.texto("guia").startswith("Para empezar: abra una imagen"))
        self.assertTrue(self.js("return document.getElementById('guarda-informe').disabled"))
        self.pulsa("muestras", ordenes=4)
        self.espera(lambda: self.texto("guia").startswith("Muestras abiertas con Grado 10"))
        self.assertEqual(self.js("return document.getElementById('Txt_Grado').value"), "10")
        self.assertEqual(self.js("return document.getElementById('Txt_Clave').value"), "3")
        self.assertFalse(self.js("return document.getElementById('guarda-informe').disabled"))
        for _ in range(4):
            self.pulsa("Command1")
        self.assertTrue(self.texto("Estado").startswith(
            "Extracción ciega de la imagen marcada: 961 de 961"), self.texto("Estado"))
        # A value typed and not applied stays while the engine answers other
        # things; Enter applies it as the I button does.
        self.escribe("Txt_Clave", "7")
        self.pulsa("reset")
        self.assertEqual(self.js("return document.getElementById('Txt_Clave').value"), "7")
        self.tras(lambda: self.d.find_element(By.ID, "Txt_Clave").send_keys(Keys.ENTER))
        self.assertIn("7", self.texto("LClave"))

    def test_every_control_can_be_named_and_touched(self):
        # A button's accessible name holds what it shows; every button and
        # file label at least 24 x 24 CSS pixels, here and on a phone.
        for ancho, alto in [(1024, 768), (844, 390)]:
            self.d.set_window_size(ancho, alto)
            fallos = self.js("""return [...document.querySelectorAll('button, label.boton')]
                .filter(b => b.offsetParent !== null)
                .filter(b => { const r = b.getBoundingClientRect();
                               const nombre = b.getAttribute('aria-label') || b.textContent;
                               return r.width < 24 || r.height < 24 ||
                                      !nombre.includes(b.textContent.trim()); })
                .map(b => b.id || b.textContent)""")
            self.assertEqual(fallos, [], f"{ancho} x {alto}")
        self.d.set_window_size(1024, 768)
        self.assertEqual(self.js("return document.getElementById('Command1')"
                                 ".getAttribute('aria-label')"), "Siguiente paso (➜)")
        self.assertIsNone(self.js("return document.getElementById('LBloque')"
                                  ".getAttribute('aria-label')"))
        self.assertEqual(self.js("return document.getElementById('mensaje')"
                                 ".getAttribute('aria-describedby')"), "mensaje-texto")

    def test_the_page_works_offline_after_a_first_visit(self):
        self.espera(lambda: self.js("return !!navigator.serviceWorker.controller"),
                    "el service worker")
        self.servidor.terminate()
        self.servidor.wait()
        try:
            self.d.refresh()
            self.espera(lambda: self.js("return document.body.dataset.listo") == "1")
            self.pulsa("muestras", ordenes=4)
            for _ in range(4):
                self.pulsa("Command1")
            self.assertTrue(self.texto("Estado").startswith(
                "Extracción ciega de la imagen marcada: 961 de 961"), self.texto("Estado"))
        finally:
            self.arranca_servidor()
            for _ in range(ESPERA * 10):
                try:
                    with socket.create_connection(("127.0.0.1", self.puerto), timeout=0.1):
                        break
                except OSError:
                    time.sleep(0.1)

    def test_a_new_version_waits_for_the_next_reload_and_says_so(self):
        self.espera(lambda: self.js("return !!navigator.serviceWorker.controller"),
                    "el service worker")
        hoja = self.raiz / "pagina" / "zek.css"
        antes = hoja.read_text()
        hoja.write_text(antes + "\n/* otra versión */\n")
        # A later time than the copy's, for the server's If-Modified-Since.
        os.utime(hoja, (time.time() + 5, time.time() + 5))
        try:
            self.d.refresh()
            self.espera(lambda: self.texto("guia").startswith("Hay una versión nueva de ZEK"),
                        "el aviso de la versión nueva")
            # Reloaded, the page is the new one, and says nothing more.
            self.d.refresh()
            self.espera(lambda: self.js("return document.body.dataset.listo") == "1")
            time.sleep(0.5)
            self.assertTrue(self.texto("guia").startswith("Para empezar"), self.texto("guia"))
        finally:
            hoja.write_text(antes)

    def test_the_attacks_go_by_the_tables_titles(self):
        opciones = self.js("return [...document.getElementById('ataque').options]"
                           ".map(o => o.textContent)")
        self.assertEqual(opciones, ["Sin ataque", "Compresión JPEG", "Ruido gaussiano",
                                    "Filtro de media", "Filtro de mediana", "Brillo",
                                    "Contraste", "Recorte", "Escala"])
        self.assertEqual(self.texto("nombre-valor"), "Calidad")
        self.js("const s = document.getElementById('ataque'); s.value = 'ruido';"
                "s.dispatchEvent(new Event('change'));")
        self.assertEqual(self.texto("nombre-valor"), "Desviación")
        # Without an attack the reading is the watermarked picture's own.
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        self.js("const s = document.getElementById('ataque'); s.selectedIndex = 0;"
                "s.dispatchEvent(new Event('change'));")
        self.assertTrue(self.js("return document.getElementById('valor').disabled"))
        self.pulsa("analiza")
        self.assertEqual(self.js("return document.body.dataset.correctos"), "961")

    def test_the_laboratory_shows_both_differences_and_a_reopened_picture(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 16,
                                  "--clave", 3)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        self.ataca("ruido", 5)
        self.assertRegex(self.texto("escala"), r"^Negro: sin cambio\. Blanco: [0-9]+,[0-9] niveles "
                         r"de luminancia \(diferencias multiplicadas por [0-9]+,[0-9]\)\.$")
        solo_marca = self.texto("escala")
        self.js("const s = document.getElementById('vista-diferencia'); s.selectedIndex = 1;"
                "s.dispatchEvent(new Event('change'));")
        self.assertNotEqual(self.texto("escala"), solo_marca)  # the noise adds its own
        # zek-demo's watermarked picture, reopened: read in the laboratory at once.
        self.abre("abrir-marcada", salida / "marcada.png")
        self.espera(lambda: self.js("return document.getElementById('imagen').value") == "abierta"
                    and self.js("return document.body.dataset.total") == "961")
        # About ZEK: its version and licence in the message box.
        self.pulsa("acerca-de", ordenes=0)
        self.espera(lambda: self.js("return document.getElementById('mensaje').open"))
        self.assertEqual(self.texto("mensaje-titulo"), "Acerca de ZEK")
        self.assertIn("Software libre con licencia MIT.", self.texto("mensaje-texto"))
        self.pulsa("mensaje-aceptar", ordenes=0)

    def test_a_point_in_a_spanish_page_is_told_to_be_a_comma(self):
        self.escribe("Txt_Grado", "2.5")
        self.pulsa("Cmd_Grado", ordenes=0)
        self.espera(lambda: self.js("return document.getElementById('mensaje').open"))
        self.assertEqual(self.texto("mensaje-texto"),
                         "En esta página los decimales se escriben con coma, por ejemplo 2,5.")
        self.pulsa("mensaje-aceptar", ordenes=0)
        self.escribe("Txt_Grado", "16")
        self.tras(lambda: self.d.find_element(By.ID, "Txt_Grado").send_keys(Keys.ENTER))
        self.assertTrue(self.texto("LGrado").endswith("16"), self.texto("LGrado"))

    def test_on_a_phone_held_sideways_the_step_button_and_the_picture_are_in_sight(self):
        self.pulsa("muestras", ordenes=4)
        self.d.set_window_size(844, 390)
        try:
            self.js("window.scrollTo(0, 0)")
            self.tras(lambda: self.js("document.getElementById('Command1').click()"))
            alto = self.js("return window.innerHeight")
            boton = self.js("return document.getElementById('Command1').getBoundingClientRect()")
            dibujo = self.js("return document.getElementById('Picture1').getBoundingClientRect()")
            self.assertGreaterEqual(boton["top"], 0)
            self.assertLessEqual(boton["bottom"], alto)
            self.assertLess(dibujo["top"], alto - 40)  # the grid being drawn shows
            self.assertGreater(dibujo["bottom"], 0)
        finally:
            self.d.set_window_size(1024, 768)

    def violaciones(self):
        """What axe-core finds against WCAG 2.0 and 2.1, levels A and AA."""
        self.js(AXE.read_text())
        return self.d.execute_async_script(
            "const hecho = arguments[arguments.length - 1];"
            "axe.run(document, {runOnly: {type: 'tag', values: "
            "['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}})"
            ".then(r => hecho(r.violations.map(v => v.id + ': ' +"
            " v.nodes.map(n => n.target.join(' ')).join(', '))));")

    def test_axe_finds_nothing_empty_demonstrated_or_attacked(self):
        self.assertEqual(self.violaciones(), [])
        self.pulsa("muestras", ordenes=4)
        for _ in range(4):
            self.pulsa("Command1")
        self.assertEqual(self.violaciones(), [])
        self.js("const s = document.getElementById('metodo'); s.value = 'espectro';"
                "s.dispatchEvent(new Event('change'));")
        self.ataca_sin_lectura("ruido", 5)
        self.assertEqual(self.violaciones(), [])
        # And with what the long jobs found, and the handout, on the page.
        self.js("const s = document.getElementById('metodo'); s.value = 'bloques';"
                "s.dispatchEvent(new Event('change')); window.print = () => {};")
        for que in ["barrido", "comparacion", "deteccion"]:
            self.trabajo(que)
        self.pulsa("hoja-de-clase")
        self.espera(lambda: self.js("return document.body.dataset.hoja") == "1", "la hoja")
        self.assertEqual(self.violaciones(), [])

    def palabras_dibujadas(self, ataque, valor):
        """The words the page writes on its canvases while it shows an attack."""
        self.js("window.palabras = []; const p = CanvasRenderingContext2D.prototype;"
                "p.fillText_ ??= p.fillText; p.fillText = function (t, ...a) {"
                "window.palabras.push(String(t)); return this.fillText_(t, ...a); };")
        self.ataca_sin_lectura(ataque, valor)
        return self.js("return window.palabras")

    def test_the_charts_show_the_engines_words(self):
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        palabras = self.palabras_dibujadas("ruido", 5)
        # Degree 16: every other residue labelled, the six bar sets named.
        for p in ["Restos de los pares de bloques", "Resto (de 0 a |Grado| - 1)",
                  "Pares de bloques", "0", "2", "14", "Antes claros", "Antes oscuros",
                  "Después claros", "Atacada oscuros"]:
            self.assertIn(p, palabras)
        self.assertNotIn("1", palabras[palabras.index("0"):palabras.index("14")])
        self.js("const s = document.getElementById('metodo'); s.value = 'espectro';"
                "s.dispatchEvent(new Event('change'));")
        palabras = self.palabras_dibujadas("ruido", 5)
        # Keys 2 to 1004 with a tick every 200, the threshold named.
        for p in ["Respuesta del detector a 1001 claves", "200", "400", "1000", "umbral 6"]:
            self.assertIn(p, palabras)
        self.assertNotIn("250", palabras)

    def test_the_page_fetches_nothing_but_its_own_files_and_answers_while_the_engine_works(self):
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", grado="16")
        self.js("""window.mayor_pausa = 0; let antes = performance.now();
                   window.reloj = setInterval(() => { const ahora = performance.now();
                     window.mayor_pausa = Math.max(window.mayor_pausa, ahora - antes);
                     antes = ahora; }, 4);""")
        inicio = time.time()
        self.ataca("mediana", 15)
        duracion = (time.time() - inicio) * 1000
        pausa = self.js("clearInterval(window.reloj); return window.mayor_pausa")
        self.assertLess(pausa, max(60, duracion / 2), f"la página se paró {pausa:.0f} ms")
        recursos = self.js("return performance.getEntriesByType('resource').map(r => r.name)")
        self.assertTrue(recursos)
        for r in recursos:
            self.assertTrue(r.startswith(self.origen + "/"), r)


    def apunta(self, lienzo, x, y):
        """The pointer on pixel (x, y) of a picture box, however it is scaled."""
        self.js("""const [id, x, y] = arguments; const l = document.getElementById(id);
                   l.scrollIntoView({block: 'center'}); const c = l.getBoundingClientRect();
                   l.dispatchEvent(new PointerEvent('pointermove', {bubbles: true,
                     clientX: c.left + (x + 0.5) * c.width / l.width,
                     clientY: c.top + (y + 0.5) * c.height / l.height}));""", lienzo, x, y)

    def test_the_pair_inspector_says_what_the_window_says(self):
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", pasos=2)
        # Side 5: pixel (7, 3) is in block (6, 1), pair 1's B, which carries
        # the watermark's pixel (1, 1): after the embedding its residue is
        # the key, 3, for a dark pixel, or 3 + 10 / 2 for a light one.
        for lienzo in ["Picture1", "Picture3"]:
            with self.subTest(lienzo=lienzo):
                self.apunta(lienzo, 7, 3)
                self.espera(lambda: self.js("return !document.getElementById('consejo').hidden"),
                            "el inspector")
                texto = self.texto("consejo")
                self.assertTrue(texto.startswith("Par 1\nBloque A: columna 1, fila 1\n"
                                                 "Bloque B: columna 6, fila 1\n"), texto)
                claro = "Píxel de la marca: (1, 1), claro" in texto
                self.assertIn("Píxel de la marca: (1, 1), " + ("claro" if claro else "oscuro"),
                              texto)
                self.assertIn(f"Resto después: {8 if claro else 3}\n", texto + "\n")
                self.js("document.getElementById(arguments[0])"
                        ".dispatchEvent(new PointerEvent('pointerleave'))", lienzo)
                self.assertTrue(self.js("return document.getElementById('consejo').hidden"))

    def test_the_watermarked_picture_saves_as_png_bmp_or_jpeg(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 10,
                                  "--clave", 3)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        self.js("window.bajadas = []; baja = (blob, nombre) => bajadas.push([blob, nombre]);")
        self.assertTrue(self.js("return document.getElementById('etiqueta-calidad').hidden"))
        url = self.origen + "/archivos/" + salida.name + "/marcada.png"
        tamanos = {}
        for formato, nombre, calidad in [("PNG", "marcada.png", None), ("BMP", "marcada.bmp", None),
                                         ("JPEG", "marcada.jpg", 95), ("JPEG", "marcada.jpg", 10)]:
            with self.subTest(formato=formato, calidad=calidad):
                self.js("const f = document.getElementById('formato'); f.value = arguments[0];"
                        "f.dispatchEvent(new Event('change'));", formato)
                if calidad:
                    self.assertFalse(self.js("return document.getElementById('etiqueta-calidad')"
                                             ".hidden"))
                    self.escribe("calidad-guardar", str(calidad))
                antes = self.js("return bajadas.length")
                self.pulsa("guarda-marcada")
                self.espera(lambda: self.js("return bajadas.length") > antes, "la descarga")
                # Its pixels against zek-demo's marcada.png: the same, or near for a JPEG.
                nombre_dado, tipo, tamano, distintos, media = self.d.execute_async_script("""
                    const [url, hecho] = arguments;
                    (async () => {
                      const [blob, nombre] = bajadas.at(-1);
                      const pixeles = async (b) => {
                        const m = await createImageBitmap(b, {colorSpaceConversion: "none",
                                                              premultiplyAlpha: "none"});
                        const c = new OffscreenCanvas(m.width, m.height).getContext("2d");
                        c.drawImage(m, 0, 0);
                        return c.getImageData(0, 0, m.width, m.height);
                      };
                      const a = await pixeles(blob);
                      const b = await pixeles(await (await fetch(url)).blob());
                      let distintos = 0, suma = 0;
                      for (let i = 0; i < a.data.length; i++) {
                        const d = Math.abs(a.data[i] - b.data[i]);
                        distintos += d > 0; suma += d;
                      }
                      hecho([nombre, blob.type, blob.size,
                             a.width === b.width && a.height === b.height ? distintos : -1,
                             suma / a.data.length]);
                    })();""", url)
                self.assertEqual(nombre_dado, nombre)
                self.assertEqual(tipo, {"PNG": "image/png", "BMP": "image/bmp",
                                        "JPEG": "image/jpeg"}[formato])
                if formato == "BMP":
                    self.assertEqual(tamano, 54 + 320 * 3 * 240)  # 24 bits, rows of 960 bytes
                tamanos[calidad] = tamano
                if calidad is None:
                    self.assertEqual(distintos, 0)
                else:
                    self.assertGreaterEqual(distintos, 0)  # the same size
                    self.assertLess(media, 3 if calidad == 95 else 20)
        self.assertLess(tamanos[10], tamanos[95] / 2)

    def test_the_handout_prints_on_a4_as_zek_demo_writes_it(self):
        pdf = self.archivos / "hoja-escritorio.pdf"
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 10,
                                  "--clave", 3, "--compara", "--hoja", pdf)
        self.assertEqual(r.returncode, 0, r.stderr)
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        # The comparison and the detector computed, as on the desktop.
        self.trabajo("comparacion")
        self.trabajo("deteccion")
        self.js("window.print = () => {};")  # the printing is chromium's own, below
        self.pulsa("hoja-de-clase")
        self.espera(lambda: self.js("return document.body.dataset.hoja") == "1", "la hoja")
        impresa = self.archivos / "hoja-pagina.pdf"
        impresa.write_bytes(base64.b64decode(self.d.execute_cdp_cmd(
            "Page.printToPDF", {"preferCSSPageSize": True, "printBackground": True})["data"]))
        info = subprocess.run(["pdfinfo", impresa], capture_output=True, text=True).stdout
        self.assertIn("(A4)", info)
        # No word under 6 pt: poppler's box of a word is at least its size tall.
        cajas = subprocess.run(["pdftotext", "-bbox", impresa, "-"], capture_output=True,
                               text=True).stdout
        alturas = [float(b) - float(a) for a, b in
                   re.findall(r'<word xMin="[^"]+" yMin="([^"]+)" xMax="[^"]+" yMax="([^"]+)"',
                              cajas)]
        self.assertGreater(len(alturas), 300)
        self.assertGreaterEqual(min(alturas), 6)

        def lineas(ruta):
            texto = subprocess.run(["pdftotext", ruta, "-"], capture_output=True,
                                   text=True).stdout
            return [" ".join(l.split()) for l in texto.splitlines() if l.strip()]
        pagina, escritorio = lineas(impresa), lineas(pdf)
        # The same sections, figures and file hashes as zek-demo's handout.
        for seccion in ["1. La lección", "2. Lo que sobrevive", "3. Para pensar", "Preguntas",
                        "Histograma de residuos", "Para rehacer esta hoja:"]:
            self.assertIn(seccion, pagina)
            self.assertIn(seccion, escritorio)
        for que in [r"^PSNR ", r"^SHA-256: ", r"^La lectura a ciegas acierta",
                    r"^Al mismo PSNR", r"^(bloques|lsb|dct|espectro): fuerza",
                    r"^Grado 10 "]:
            with self.subTest(que=que):
                una = [l for l in pagina if re.match(que, l)]
                otra = [l for l in escritorio if re.match(que, l)]
                self.assertTrue(una)
                self.assertEqual(una, otra)
        self.assertIn("PSNR 48,46 dB · SSIM 0,9909 · BER 0,0000 · NC 1,0000", pagina)
        # The detector's part, which only the window's and the page's lessons have.
        self.assertIn("¿Está la marca? Espectro ensanchado", pagina)

    # ---- the long jobs -------------------------------------------------------

    def lanza(self, que):
        boton = self.d.find_element(By.CSS_SELECTOR, f"#{que} .lanza")
        self.js("arguments[0].scrollIntoView({block: 'center'})", boton)
        boton.click()

    def estado(self, que):
        return self.js("return document.getElementById(arguments[0]).dataset.estado", que)

    def trabajo(self, que):
        """Starts a long job, waits for it and returns what it found."""
        self.lanza(que)
        self.espera(lambda: self.estado(que) == "hecho", que)
        return self.js("return resultados[arguments[0]]", que)

    @staticmethod
    def filas_csv(texto):
        lineas = texto.strip().splitlines()
        return lineas[0], [linea.split(",") for linea in lineas[1:]]

    def test_the_sweep_and_the_comparison_give_zek_demos_figures(self):
        salida, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 10,
                                  "--clave", 3, "--barrido", "--compara")
        self.assertEqual(r.returncode, 0, r.stderr)
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        for que, archivo, ber in [("barrido", "barrido.csv", 3),
                                  ("comparacion", "comparacion.csv", 7)]:
            with self.subTest(que=que):
                cabecera, filas = self.filas_csv(self.trabajo(que)["csv"])
                esperada, esperadas = self.filas_csv((salida / archivo).read_text())
                self.assertEqual(cabecera, esperada)
                self.assertEqual(len(filas), len(esperadas))
                columna_ataque = cabecera.split(",").index("ataque")
                for fila, otra in zip(filas, esperadas):
                    self.assertEqual(fila[:columna_ataque + 1], otra[:columna_ataque + 1])
                    if not fila[columna_ataque].startswith("jpeg"):
                        # The PSNR to the last digits the two libms agree on.
                        self.assertEqual([cerca(v) for v in fila], [cerca(v) for v in otra])
                    elif otra[ber]:  # the browser's encoder: a few pixels apart
                        self.assertLess(abs(float(fila[ber]) - float(otra[ber])), 0.02, fila)
        # The comparison's table: a row per method, its cells coloured.
        self.assertEqual(self.js("return document.querySelectorAll("
                                 "'#tabla-comparacion tbody tr').length"), 4)
        self.assertEqual(self.js("return document.querySelector('#tabla-comparacion th')"
                                 ".textContent"), "Método")
        self.assertTrue(self.js("return document.querySelectorAll("
                                "'#tabla-comparacion td canvas').length") >= 3 * 7)
        self.assertTrue(self.texto("prediccion").startswith("El método DCT predice"))
        self.assertFalse(self.js("return document.querySelector('#barrido .exporta').disabled"))

    def test_the_detector_answers_as_zek_demo(self):
        marcada, r = self.zek_demo(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp", "--grado", 10,
                                   "--clave", 3, "--metodo", "espectro", "--ataque", "ruido:5")
        self.assertEqual(r.returncode, 0, r.stderr)
        escritorio = json.loads((marcada / "informe.json").read_text())["ataques"][0]["sim"]
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        self.js("const s = document.getElementById('ataque'); s.value = 'ruido';"
                "s.dispatchEvent(new Event('change'));"
                "document.getElementById('valor').value = '5';")
        r = self.trabajo("deteccion")
        self.assertAlmostEqual(r["sim"], escritorio, places=9)
        aviso = self.js("return document.querySelector('#deteccion .aviso').textContent")
        self.assertIn("atacada con ruido:5: La marca de la clave 3 está presente", aviso)
        self.assertTrue(self.texto("cifras-roc").startswith("Con 32 inserciones"))
        self.assertEqual(self.js("return document.getElementById('curva-roc')"
                                 ".getAttribute('aria-label')"), r["curva"]["titulo"])

    def test_a_cancelled_job_answers_at_once_and_leaves_the_page_usable(self):
        self.demuestra(MUESTRAS / "imagen.bmp", MUESTRAS / "marca.bmp")
        self.lanza("comparacion")
        self.espera(lambda: self.js("return document.querySelector('#comparacion progress')"
                                    ".value") > 0, "el progreso")
        ms = self.js("""const s = document.getElementById('comparacion');
                        const inicio = performance.now();
                        s.querySelector('.cancela').click();
                        return performance.now() - inicio;""")
        self.assertLess(ms, 100)
        self.assertEqual(self.estado("comparacion"), "cancelado")
        self.espera(lambda: self.js("return document.querySelector('#comparacion .aviso')"
                                    ".textContent").startswith("Comparación cancelada al "))
        self.assertFalse(self.js("return document.querySelector('#comparacion .lanza').disabled"))
        # The session is as it was: the laboratory reads, the sweep runs.
        self.assertEqual(self.ataca("ruido", 5)[1], 961)
        self.assertEqual(self.texto("LpASO"), "Paso 4:Extraemos la marca de agua de la imagen.")
        self.assertTrue(self.trabajo("barrido")["grafico"])

if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[4:], verbosity=2)  # then unittest's own: -k NAME
