# The forward, inverse and setout computations of corvane-calc, as a gawk
# script: the reference the benchmark measures the tool against.
# Usage: gawk -v mode=forward|inverse -f survey.awk ROWS
#        gawk -v mode=setout|quoted -v sx=X -v sy=Y -v bx=X -v by=Y -f survey.awk ROWS
# (setout rows NAME,CODE,Y,X,H from the station sx,sy towards the backsight
# bx,by, answered NAME,CODE,AZIMUTH,ANGLE,DISTANCE,H; quoted rows the same
# between quotes, separated by semicolons, with decimal commas)
BEGIN {
  DEG_TO_RAD = 0.017453292222222222
  RAD_TO_DEG = 57.295780490442965
  if (mode == "setout" || mode == "quoted") {
    FS = mode == "setout" ? "," : ";"
    OFS = FS
    backsight = azimuth_degrees(by - sy, bx - sx)
  }
}
function floor(x) { return (x >= 0 || x == int(x)) ? int(x) : int(x) - 1 }
function frac(x) { return x - int(x) }  # fmod(x, 1)
function packed_to_degrees(a,    m) {
  m = floor(frac(a) * 100)
  return floor(a) + m * 0.016666666666666666 + frac(a * 100) * 0.027777777777777776
}
function degrees_to_packed(t,    m) {
  m = floor(frac(t) * 60)
  return floor(t) + m * 0.01 + frac(t * 60) * 0.006
}
# atan2 in degrees, 0 to 360
function azimuth_degrees(dy, dx,    theta) {
  theta = atan2(dy, dx) * RAD_TO_DEG
  return theta < 0 ? theta + 360 : theta
}
mode == "quoted" {
  gsub(/"/, "")
  x = $4
  y = $3
  sub(/,/, ".", x)
  sub(/,/, ".", y)
  $3 = y
  $4 = x
}
mode == "setout" || mode == "quoted" {
  dx = $4 - sx
  dy = $3 - sy
  if (dx == 0 && dy == 0) { print "ERROR: " $1 ": point is on the station"; next }
  theta = azimuth_degrees(dy, dx)
  angle = theta - backsight
  if (angle < 0) angle += 360
  printf "%s%s%s%s%f%s%f%s%f%s%s\n", $1, FS, $2, FS, degrees_to_packed(theta), FS,
         degrees_to_packed(angle), FS, sqrt(dy * dy + dx * dx), FS, $5
  next
}
mode == "forward" {
  alpha = packed_to_degrees($3) * DEG_TO_RAD
  printf "%f %f\n", cos(alpha) * $4 + $1, sin(alpha) * $4 + $2
  next
}
{
  dx = $3 - $1
  dy = $4 - $2
  if (dx == 0 && dy == 0) { print "ERROR: identical points"; next }
  theta = atan2(dy, dx) * RAD_TO_DEG
  if (theta < 0) theta += 360
  printf "%f %f\n", degrees_to_packed(theta), sqrt(dy * dy + dx * dx)
}
