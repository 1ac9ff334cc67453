#pragma once
// Tag tests for conditional records. One-byte tags compare their byte: on a signed char tag
// the constant 255 is the byte 0xFF, that is -1.

template <class T, long K>
bool TagIs(T tag) {
    return tag == static_cast<T>(K);
}

template <class T, long K>
bool TagIsNot(T tag) {
    return tag != static_cast<T>(K);
}

template <class T, long A, long B>
bool TagIsEither(T tag) {
    return tag == static_cast<T>(A) || tag == static_cast<T>(B);
}
