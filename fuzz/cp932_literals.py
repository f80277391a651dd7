#!/usr/bin/env python3
"""Copies a UTF-8 C++ source with its narrow literals spelled in CP932.

The project's compiler turns narrow literals into CP932 bytes
(-fexec-charset=CP932); clang only knows UTF-8 there. This rewrites every
non-ASCII character inside a narrow string or character literal as octal
escapes of its CP932 bytes, so the clang build sees the same bytes the product does.
Comments and everything else are copied unchanged. Usage: IN OUT
"""
import sys


def escape(text):
    out = []
    for ch in text:
        if ord(ch) < 0x80:
            out.append(ch)
        else:
            # Octal escapes take at most three digits, so a following digit
            # never joins them (a hex escape would swallow it).
            out.extend("\\%03o" % b for b in ch.encode("cp932"))
    return "".join(out)


def is_digit_separator(src, i):
    """A quote inside a number (126'305'568), not a character literal."""
    j = i
    while j > 0 and (src[j - 1].isalnum() or src[j - 1] == "_"):
        j -= 1
    word = src[j:i]
    return word != "" and word[0].isdigit()


def has_encoding_prefix(src, i):
    """u"", U"", L"" and u8"" are not narrow: the compiler keeps them Unicode."""
    j = i
    while j > 0 and (src[j - 1].isalnum() or src[j - 1] == "_"):
        j -= 1
    return src[j:i] in ("u", "U", "L", "u8")


def convert(src):
    out = []
    i, n = 0, len(src)
    while i < n:
        c = src[i]
        if src.startswith("//", i):
            end = src.find("\n", i)
            end = n if end < 0 else end
            out.append(src[i:end])
            i = end
        elif src.startswith("/*", i):
            end = src.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append(src[i:end])
            i = end
        elif c == 'R' and src.startswith('R"', i) and (i == 0 or not (src[i - 1].isalnum() or src[i - 1] == '_')):
            raise SystemExit("raw string literals are not supported: %s" % src[i:i + 40])
        elif c == "'" and is_digit_separator(src, i):
            out.append(c)
            i += 1
        elif c in "\"'":
            j = i + 1
            while j < n and src[j] != c:
                j += 2 if src[j] == "\\" else 1
            body = src[i + 1:j]
            out.append(c + (body if has_encoding_prefix(src, i) else escape(body)) + c)
            i = j + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8") as f:
        text = f.read()
    with open(target, "w", encoding="utf-8") as f:
        f.write(convert(text))


if __name__ == "__main__":
    main()
