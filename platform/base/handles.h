// Typed handles. Each kind of object the game holds a handle to is its own
// type, so a pen can never be passed where a window is expected.
#pragma once

namespace platform {
struct Window;
struct Module;
struct BrushObject;
struct PenObject;
struct BitmapObject;
struct FontObject;
class DeviceContext;
struct RegistryKey;
struct KernelObject;
struct AcceleratorTable;
struct Cursor;
struct Icon;
struct DroppedFiles;
}  // namespace platform

using HWND = platform::Window*;
using HINSTANCE = platform::Module*;
using HMODULE = platform::Module*;
using HBRUSH = platform::BrushObject*;
using HPEN = platform::PenObject*;
using HBITMAP = platform::BitmapObject*;
using HFONT = platform::FontObject*;
using HDC = platform::DeviceContext*;
using HKEY = platform::RegistryKey*;
using HANDLE = platform::KernelObject*;
using HACCEL = platform::AcceleratorTable*;
using HCURSOR = platform::Cursor*;
using HICON = platform::Icon*;
using HDROP = platform::DroppedFiles*;

// Searches and other kernel objects report failure with this value.
inline const HANDLE INVALID_HANDLE_VALUE = nullptr;
