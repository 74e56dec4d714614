# Deterministic rows for the corvane-calc benchmark.
# Usage: gawk -v mode=forward|inverse|setout|quoted -v rows=N -f generate.awk
# Forward rows: X0 Y0 AZIMUTH DISTANCE; inverse rows: X0 Y0 X1 Y1; setout
# rows: design points as field software exports them, NAME,CODE,Y,X,H, within
# 1 km of the station 3350000,500000; quoted rows: the same points as a
# spreadsheet saves them where the comma is the decimal mark,
# "NAME";"CODE";"Y";"X";"H" with decimal commas.
# Coordinates look like a projected grid (northing ~3.3e6, easting ~5e5) with
# millimetres; azimuths are packed DMS with hundredths of a second.
BEGIN {
  srand(20240601)
  for (i = 0; i < rows; i++) {
    if (mode == "setout" || mode == "quoted") {
      row = sprintf("%.3f;%.3f;%.3f", 500000 + (rand() - 0.5) * 2000,
                    3350000 + (rand() - 0.5) * 2000, 20 + rand() * 10)
      if (mode == "setout") {
        gsub(/;/, ",", row)
        printf "K%d,,%s\n", i + 1, row
      } else {
        gsub(/\./, ",", row)
        gsub(/;/, "\";\"", row)
        printf "\"K%d\";\"\";\"%s\"\n", i + 1, row
      }
      continue
    }
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
