junk: 'x' {
 "quoted": abc, a: "v", bb: 'c,d:{e}' } { cc: "un