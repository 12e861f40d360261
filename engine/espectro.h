// SPDX-License-Identifier: MIT
// Spread spectrum (Cox, Kilian, Leighton and Shamoon, 1997): a mark that
// carries no picture, only the owner's key. A key-generated Gaussian
// sequence is added to the largest coefficients of the whole picture's DCT,
// and a detector that knows the original host answers "is it there?" with a
// number whose false alarms can be computed.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/superficie.h"
#include "base/superficie_memoria.h"
#include "engine/dct.h"

namespace zek {

// Its name as zek-demo and the files take it, and as a table shows it.
inline constexpr const char* kNombreEspectro = "espectro";
inline constexpr const char* kTituloEspectro = "Espectro ensanchado";
inline constexpr double kAlfaEspectro = 0.1;  // the strength by default
inline constexpr double kAlfaEspectroMinimo = 0.01, kAlfaEspectroMaximo = 0.5;
inline constexpr int kLongitudEspectro = 1000;  // coefficients marked by default
inline constexpr double kUmbralEspectro = 6;    // the detector's threshold by default
inline constexpr int kClavesFalsas = 1000;      // the wrong keys of the response

// The luminance of every pixel, row by row, as the DCT method computes it.
std::vector<double> luminancias(const SuperficieImagen& imagen);

// The n coefficients of largest magnitude, leaving out (0, 0); a tie goes
// to the smaller index v W + u. In that order.
std::vector<int> posiciones_mayores(const std::vector<double>& C, int n);

// The key's sequence x_1 ... x_n: std::mt19937 seeded with Clave rounded
// half away from zero, modulo 2^32; its outputs in pairs through
// Box-Muller, (k + 0.5) / 2^32 for each, cosine first, then sine.
std::vector<double> secuencia_de_clave(double clave, int n);

// A picture's coefficients, computed once for the embedding and the
// detector alike.
struct CoeficientesEspectro {
    int W = 0, H = 0;
    std::vector<double> C;
};
CoeficientesEspectro coeficientes_espectro(const SuperficieImagen& imagen);

// Empty when a W x H picture holds n coefficients (at most W H - 1);
// otherwise why not, in Spanish with the numbers.
std::string no_cabe_espectro(int W, int H, int n);

// The host with the key's sequence added: C'(p_i) = C(p_i)(1 + alfa x_i),
// back through the inverse DCT, and round(Y' - Y) (halves away from zero)
// added to each pixel's red, green and blue, clamped to 0..255. Nothing when
// the picture is too small (motivo then says why).
std::optional<SuperficieMemoria> inserta_espectro(const SuperficieImagen& anfitrion, double clave,
                                                  double alfa, int n, std::string* motivo);
// The same with the host's coefficients already computed.
std::optional<SuperficieMemoria> inserta_espectro(const SuperficieImagen& anfitrion,
                                                  const CoeficientesEspectro& coeficientes,
                                                  double clave, double alfa, int n,
                                                  std::string* motivo);

// The detector needs the original host (it is not blind): its coefficients
// at the marked positions, computed once for any number of keys.
class DetectorEspectro {
  public:
    DetectorEspectro(const SuperficieImagen& original, int n);
    DetectorEspectro(const CoeficientesEspectro& original, int n);

    int ancho() const { return W_; }
    int alto() const { return H_; }
    const std::vector<int>& posiciones() const { return posiciones_; }

    // x*_i = (C_Z(p_i) - C(p_i)) / (alfa C(p_i)) for a suspect picture of
    // the original's size; nothing for another size.
    std::optional<std::vector<double>> extrae(const SuperficieImagen& sospechosa,
                                              double alfa) const;

  private:
    int W_, H_;
    std::vector<int> posiciones_;
    std::vector<double> originales_;  // C(p_i)
};

// sim = sum x*_i x_i / sqrt(sum x*_i^2); 0 when every x*_i is 0.
double similitud(const std::vector<double>& extraida, const std::vector<double>& secuencia);

// The chance that a picture without the mark gives sim above T, sim being
// then close to a standard normal variable: (1/2) erfc(T / sqrt 2).
double probabilidad_de_falsa_alarma(double umbral);

// The detector's response on a suspect picture: sim for the key and for
// the wrong keys clave + 1 ... clave + claves.
struct RespuestaDetector {
    double sim = 0;
    std::vector<double> falsas;
    double media = 0, desviacion = 0, mayor = 0;  // of the wrong keys' values
};
RespuestaDetector responde(const std::vector<double>& extraida, double clave,
                           int claves = kClavesFalsas);

}  // namespace zek
