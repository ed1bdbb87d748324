quillmark-fits
--grade
100
0.08
