// D3DX9Library: d3dx9_43.dll loaded at run time, since Windows itself does not carry it.
#pragma once

// Loads d3dx9_43.dll and takes from it the functions the game calls (the game's own definitions
// of them forward there). When the DLL or one of those functions is missing, shows a box that
// says so in Polish and in English and names the runtime that brings it, and returns false.
bool loadD3DX9();
