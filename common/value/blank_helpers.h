// In-place blank handling over the first n bytes of a text (n is a 16-bit
// count; 0 does nothing). Each stops at the terminating zero and ends the
// text at its new length.
#pragma once

unsigned FindChar(const char* text, unsigned n, char c);
unsigned RemoveBlanks(char* text, unsigned n);
unsigned TrimLeft(char* text, unsigned n);
unsigned TrimRight(char* text, unsigned n);
// Trims, keeps one blank of each inner run, drops blanks after '(' and the
// blank before any of ! ) + , - . / : ; = ?
unsigned SqueezeBlanks(char* text, unsigned n);
unsigned BoundedLength(const char* text, unsigned n);
