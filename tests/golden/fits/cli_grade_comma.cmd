quillmark-fits
--grade
100
0,0539
