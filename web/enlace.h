// SPDX-License-Identifier: MIT
// How the core's plain types cross to the page: a std::vector as a
// JavaScript array, a std::optional as its value or undefined, so that the
// core's own structs cross whole as embind value objects.
#pragma once

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <optional>
#include <type_traits>
#include <vector>

namespace zek::enlace {

template <typename T>
struct EsVector : std::false_type {};
template <typename T, typename A>
struct EsVector<std::vector<T, A>> : std::true_type {};
template <typename T>
struct EsOpcional : std::false_type {};
template <typename T>
struct EsOpcional<std::optional<T>> : std::true_type {};

}  // namespace zek::enlace

namespace emscripten::internal {

template <typename T, typename A>
struct BindingType<std::vector<T, A>> {
    using WireType = BindingType<val>::WireType;
    static WireType toWireType(const std::vector<T, A>& v) {
        val lista = val::array();
        for (const T& e : v) lista.call<void>("push", val(e));
        return BindingType<val>::toWireType(lista);
    }
    static std::vector<T, A> fromWireType(WireType w) {
        return vecFromJSArray<T>(BindingType<val>::fromWireType(w));
    }
};

template <typename T>
struct BindingType<std::optional<T>> {
    using WireType = BindingType<val>::WireType;
    static WireType toWireType(const std::optional<T>& o) {
        return BindingType<val>::toWireType(o ? val(*o) : val::undefined());
    }
    static std::optional<T> fromWireType(WireType w) {
        const val v = BindingType<val>::fromWireType(w);
        if (v.isUndefined() || v.isNull()) return std::nullopt;
        return v.as<T>();
    }
};

template <typename T>
struct TypeID<T,
              std::enable_if_t<zek::enlace::EsVector<typename Canonicalized<T>::type>::value ||
                               zek::enlace::EsOpcional<typename Canonicalized<T>::type>::value>> {
    static constexpr TYPEID get() { return TypeID<val>::get(); }
};

}  // namespace emscripten::internal
