# Deterministic rows for the corvane-calc benchmark.
# Usage: gawk -v mode=forward|inverse -v rows=N -f generate.awk
# Forward rows: X0 Y0 AZIMUTH DISTANCE; inverse rows: X0 Y0 X1 Y1.
# Coordinates look like a projected grid (northing ~3.3e6, easting ~5e5) with
# millimetres; azimuths are packed DMS with hundredths of a second.
BEGIN {
  srand(20240601)
  for (i = 0; i < rows; i++) {
    x0 = 3300000 + rand() * 100000
    y0 = 450000 + rand() * 100000
    if (mode == "forward") {
      az = sprintf("%d.%02d%02d%02d", int(rand() * 360), int(rand() * 60),
                   int(rand() * 60), int(rand() * 100))
      printf "%.3f %.3f %s %.3f\n", x0, y0, az, rand() * 1000
    } else {
      printf "%.3f %.3f %.3f %.3f\n", x0, y0,
             x0 + (rand() - 0.5) * 2000, y0 + (rand() - 0.5) * 2000
    }
  }
}
