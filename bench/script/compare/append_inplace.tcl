# Tcl's own in-place append, for comparison.
proc main {} {
  set s ""
  for {set i 1} {$i <= 200000} {incr i} { append s x }
  puts [string length $s]
}
main
