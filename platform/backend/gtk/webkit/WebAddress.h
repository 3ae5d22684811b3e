#pragma once
#include <string>

// The address the engine loads for the text a program navigates to. Settings hold addresses as an
// operator typed them, so the text is trimmed; an empty one is the blank page, a file path
// (absolute, or relative to the working folder and existing) its file address, and a text with no
// scheme of its own ("www.example.com", "localhost:8080/x") a web address.
std::string EngineAddress(const std::string& text);
