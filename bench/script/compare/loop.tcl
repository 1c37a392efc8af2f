proc main {} {
  set s 0
  for {set i 1} {$i <= 5000000} {incr i} { set s [expr {$s + ($i * 2) % 7}] }
  puts $s
}
main
