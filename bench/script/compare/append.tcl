# The same statement as the other languages: a new value built from the old one and "x".
proc main {} {
  set s ""
  for {set i 1} {$i <= 200000} {incr i} { set s "${s}x" }
  puts [string length $s]
}
main
