#!/usr/bin/python3
"""Sets the scale of mutter's only monitor through its DisplayConfig D-Bus
interface, for the session's lifetime (not stored):

    mutter_scale.py SCALE

Prints the monitor's connector, mode, the scales mutter supports for it,
and the layout mode (1 logical, 2 physical).  Fails when SCALE is not
among the supported scales."""
import sys

import dbus

bus = dbus.SessionBus()
config = dbus.Interface(bus.get_object("org.gnome.Mutter.DisplayConfig",
                                       "/org/gnome/Mutter/DisplayConfig"),
                        "org.gnome.Mutter.DisplayConfig")
serial, monitors, _logical, properties = config.GetCurrentState()
(connector, _vendor, _product, _serial), modes, _props = monitors[0]
current = next(m for m in modes if m[6].get("is-current"))
mode_id, width, height, _rate, _preferred, scales, _mode_props = current
layout = int(properties.get("layout-mode", 0))
wanted = float(sys.argv[1])
print("monitor %s mode %dx%d scales %s layout mode %d" %
      (connector, width, height, [round(float(s), 3) for s in scales], layout))
scale = next((s for s in scales if abs(float(s) - wanted) < 0.01), None)
if scale is None:
    sys.exit("scale %s is not supported" % wanted)
config.ApplyMonitorsConfig(
    serial, dbus.UInt32(1),
    [(0, 0, dbus.Double(scale), dbus.UInt32(0), True, [(connector, mode_id, {})])], {})
