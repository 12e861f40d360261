// SPDX-License-Identifier: MIT
// A document as data: headings, paragraphs, pictures, tables, charts and
// questions, top to bottom. The handout is described once as one; the PDF
// writer and the web page only lay it out.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/grafico.h"
#include "base/superficie_memoria.h"

namespace zek {

enum class TipoBloque {
    Titulo,     // the document's own, large
    Seccion,    // a numbered part; never alone at the foot of a page
    Apartado,   // a heading within a part, or a line of figures in bold
    Parrafo,    // running text
    Destacado,  // a short line in bold, smaller than a heading
    Detalle,    // small, indented: a hash, a list of figures
    Pregunta,   // a question, indented
    Orden,      // a command line, indented
    Espacio,    // `mm` millimetres of blank
    Figuras,    // pictures side by side, `mm` high, each with its caption
    Tabla,      // rows of cells, the first a header; a reading's picture per row
    Grafico,    // a chart, `mm` high at most
};

struct FiguraDelDocumento {
    SuperficieMemoria imagen;
    std::string pie;
};

struct Bloque {
    TipoBloque tipo = TipoBloque::Parrafo;
    std::string texto;
    double mm = 0;
    std::vector<FiguraDelDocumento> figuras;
    std::vector<std::vector<std::string>> filas;
    std::vector<double> anchos;                 // each column's share of the width
    std::vector<SuperficieMemoria> miniaturas;  // one per row after the header
    std::optional<Grafico> grafico;
};

struct Documento {
    std::string titulo;
    std::vector<Bloque> bloques;
};

}  // namespace zek
