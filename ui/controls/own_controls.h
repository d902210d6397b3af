#pragma once
// The key buttons, select panel, image buttons, record button, ring
// progress, chart, level strip and window host, by the class names layouts
// use.
namespace tarn {

// Registers every class of this folder with the control factory, under its
// C...UI name (a layout's "DeviceKeyButton" finds "CDeviceKeyButtonUI").
// Safe to call more than once.
void RegisterOwnControls();

}  // namespace tarn
